#include "cmdtarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, 0, nullptr}};
const AFX_MSGMAP kRootMap = {nullptr, &kNoEntries[0]};

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    return &kRootMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                     UINT nCode, UINT nID) {
    for (; lpEntry->pfnCall; ++lpEntry) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID &&
            nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* /*pExtra*/,
                          AFX_CMDHANDLERINFO* /*pHandlerInfo*/) {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* lpEntry =
            FindMessageEntry(pMap->lpEntries, WM_COMMAND, static_cast<UINT>(LOWORD(nCode)), nID);
        if (!lpEntry) continue;
        AFX_MSGCALL call = {WM_COMMAND, MAKEWPARAM(nID, nCode), 0, nID};
        lpEntry->pfnCall(this, call);
        return TRUE;
    }
    return FALSE;
}

LRESULT AFXAPI AfxDispatchCommand(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(),
                                  const AFX_MSGCALL& /*call*/) {
    (pTarget->*pfn)();
    return 0;
}

LRESULT AFXAPI AfxDispatchCommandRange(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(UINT),
                                       const AFX_MSGCALL& call) {
    (pTarget->*pfn)(call.nID);
    return 0;
}
