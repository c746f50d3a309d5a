#include "object.h"

#include <new>

#include "exceptions.h"

const CRuntimeClass CObject::classCObject = {"CObject", nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void* CObject::operator new(std::size_t nSize) {
    void* p = ::operator new(nSize, std::nothrow);
    if (!p) AfxThrowMemoryException();
    return p;
}

void CObject::operator delete(void* p) noexcept {
    ::operator delete(p);
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* pClass = this; pClass; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass) return TRUE;
    }
    return FALSE;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
    return (pObject && pObject->IsKindOf(pClass)) ? pObject : nullptr;
}
