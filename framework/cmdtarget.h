// CCmdTarget and message maps: tables that route window messages and commands to member handlers.
// Handlers are checked for their exact MFC signature at compile time; no command-UI updates.
#pragma once

#include "object.h"

class CCmdTarget;

// One message as the map hands it to an entry: the message, its parameters, the command id.
struct AFX_MSGCALL {
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;
};
typedef LRESULT (*AFX_PMSGCALL)(CCmdTarget* pTarget, const AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;         // window message, or WM_COMMAND for commands and control notifications
    UINT nCode;            // control notification code (CN_COMMAND for commands)
    UINT nID;              // first command id
    UINT nLastID;          // last command id of a range
    AFX_PMSGCALL pfnCall;  // nullptr ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSGCALL pfnCall;
};

#define CN_COMMAND 0

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        using ThisClass [[maybe_unused]] = theClass;    \
        using TheBaseClass = baseClass;                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    { 0, 0, 0, 0, nullptr }                                                                       \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

// Calls a command handler void OnXxx() or a range handler void OnXxx(UINT nID).
LRESULT AFXAPI AfxDispatchCommand(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(),
                                  const AFX_MSGCALL& call);
LRESULT AFXAPI AfxDispatchCommandRange(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(UINT),
                                       const AFX_MSGCALL& call);

#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id),                         \
     [](CCmdTarget* pTarget, const AFX_MSGCALL& call) -> LRESULT {                                 \
         return AfxDispatchCommand(pTarget, static_cast<void (CCmdTarget::*)()>(memberFxn), call); \
     }},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id),     \
     [](CCmdTarget* pTarget, const AFX_MSGCALL& call) -> LRESULT {                                 \
         return AfxDispatchCommand(pTarget, static_cast<void (CCmdTarget::*)()>(memberFxn), call); \
     }},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast),                     \
     [](CCmdTarget* pTarget, const AFX_MSGCALL& call) -> LRESULT {                                 \
         return AfxDispatchCommandRange(pTarget,                                                   \
                                        static_cast<void (CCmdTarget::*)(UINT)>(memberFxn), call); \
     }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Runs the first map entry for the command (this class's map, then its bases). FALSE:
    // nothing here handles it. pHandlerInfo is never filled in: nothing asks which handler runs.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                    UINT nCode, UINT nID);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
