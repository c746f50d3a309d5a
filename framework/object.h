// CObject and CRuntimeClass: run-time class names and IsKindOf, plus the framework's basic macros
// and command ids. No dynamic creation and no serialisation.
#pragma once

#include <windows.h>

#include <cstddef>

#define afx_msg
#define AFXAPI

// Framework command and string ids, with the values the framework's own resources use.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000
#endif
// The obsolete 16-bit colour message; message maps use it for every WM_CTLCOLORxxx request.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    CRuntimeClass* m_pBaseClass;

    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                    \
    const CRuntimeClass class_name::class##class_name = {#class_name,                     \
                                                         RUNTIME_CLASS(base_class_name)}; \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                  \
        return RUNTIME_CLASS(class_name);                                                 \
    }

#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))

class CObject {
public:
    static const CRuntimeClass classCObject;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    // Allocation failure of any framework object raises the framework's memory exception.
    static void* operator new(std::size_t nSize);
    static void operator delete(void* p) noexcept;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
