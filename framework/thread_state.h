// Per-thread framework state: the handle maps, the message being handled, the dialog being created.
// Internal to the framework's sources; every user-interface thread has its own.
#pragma once

#include <map>
#include <memory>
#include <unordered_map>

#include "gdi.h"
#include "wnd.h"

class CDialog;

// Handles to C++ objects: permanent entries for attached objects, temporary wrappers otherwise.
template <class TObject, class THandle, THandle TObject::*pHandle>
class CHandleMap {
public:
    CHandleMap() = default;
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;
    ~CHandleMap() { DeleteTemporaries(); }

    TObject* LookupPermanent(THandle h) const {
        auto it = m_mapPermanent.find(h);
        return it == m_mapPermanent.end() ? nullptr : it->second;
    }

    // Binds the object to the handle: from now on FromHandle answers the object itself.
    BOOL Attach(TObject* pObject, THandle h) {
        if (!h) return FALSE;
        pObject->*pHandle = h;
        m_mapPermanent[h] = pObject;
        return TRUE;
    }

    // Unbinds the object and gives its handle back; another object bound to it stays bound.
    THandle Detach(TObject* pObject) {
        THandle h = pObject->*pHandle;
        auto it = m_mapPermanent.find(h);
        if (h && it != m_mapPermanent.end() && it->second == pObject) m_mapPermanent.erase(it);
        pObject->*pHandle = THandle();
        return h;
    }

    // The attached object when it is a T, else a temporary T (one per handle and type).
    template <class T>
    T* FromHandle(THandle h) {
        if (!h) return nullptr;
        if (T* pObject = dynamic_cast<T*>(LookupPermanent(h))) return pObject;
        auto range = m_mapTemporary.equal_range(h);
        for (auto it = range.first; it != range.second; ++it) {
            if (T* pObject = dynamic_cast<T*>(it->second.get())) return pObject;
        }
        std::unique_ptr<T> pNew(new T);
        (*pNew).*pHandle = h;
        T* pObject = pNew.get();
        m_mapTemporary.emplace(h, std::move(pNew));
        return pObject;
    }

    // Temporaries never own their handle: it is cleared before the wrapper goes.
    void DeleteTemporaries() {
        for (auto& entry : m_mapTemporary)
            (*entry.second).*pHandle = THandle();
        m_mapTemporary.clear();
    }

private:
    std::unordered_map<THandle, TObject*> m_mapPermanent;
    std::multimap<THandle, std::unique_ptr<TObject>> m_mapTemporary;
};

struct CAfxThreadState {
    CHandleMap<CWnd, HWND, &CWnd::m_hWnd> mapWnd;
    CHandleMap<CGdiObject, HGDIOBJ, &CGdiObject::m_hObject> mapGdi;
    CHandleMap<CDC, HDC, &CDC::m_hDC> mapDC;
    CHandleMap<CMenu, HMENU, &CMenu::m_hMenu> mapMenu;
    MSG msgLastSent = {};
    HWND hLockoutNotifyWindow = NULL;    // UpdateData runs: its control notifications are ignored
    CDialog* pDialogCreating = nullptr;  // attached at the first message its window receives
    int nModalDepth = 0;
    bool bInAppRun = false;  // CWinApp::Run's message loop is running
};

CAfxThreadState& AfxGetThreadState();
