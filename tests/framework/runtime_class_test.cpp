#include <gtest/gtest.h>

#include "framework.h"

namespace {

// A control class of the kind the program derives: run-time class information of its own.
class CTipEx : public CToolTipCtrl {
    DECLARE_DYNAMIC(CTipEx)
};

IMPLEMENT_DYNAMIC(CTipEx, CToolTipCtrl)

// A class without DECLARE_DYNAMIC reports its base's run-time class.
class CPlainLabel : public CStatic {};

}  // namespace

TEST(RuntimeClass, DerivesAlongTheDeclaredBases) {
    struct {
        CRuntimeClass* pClass;
        CRuntimeClass* pBase;
        bool bDerived;
    } const kCases[] = {
        {RUNTIME_CLASS(CTipEx), RUNTIME_CLASS(CToolTipCtrl), true},
        {RUNTIME_CLASS(CTipEx), RUNTIME_CLASS(CWnd), true},
        {RUNTIME_CLASS(CTipEx), RUNTIME_CLASS(CObject), true},
        {RUNTIME_CLASS(CTipEx), RUNTIME_CLASS(CTipEx), true},
        {RUNTIME_CLASS(CToolTipCtrl), RUNTIME_CLASS(CTipEx), false},
        {RUNTIME_CLASS(CTipEx), RUNTIME_CLASS(CStatic), false},
        {RUNTIME_CLASS(CDialog), RUNTIME_CLASS(CCmdTarget), true},
        {RUNTIME_CLASS(CWinApp), RUNTIME_CLASS(CWnd), false},
        {RUNTIME_CLASS(CUserException), RUNTIME_CLASS(CException), true},
        {RUNTIME_CLASS(CResourceException), RUNTIME_CLASS(CUserException), false},
        {RUNTIME_CLASS(CFont), RUNTIME_CLASS(CGdiObject), true},
        {RUNTIME_CLASS(CPaintDC), RUNTIME_CLASS(CDC), true},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(c.bDerived, c.pClass->IsDerivedFrom(c.pBase) != FALSE)
            << c.pClass->m_lpszClassName << " from " << c.pBase->m_lpszClassName;
    }
}

TEST(RuntimeClass, NamesAndBasesAreTheDeclaredOnes) {
    EXPECT_STREQ("CTipEx", RUNTIME_CLASS(CTipEx)->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CToolTipCtrl), RUNTIME_CLASS(CTipEx)->m_pBaseClass);
    EXPECT_STREQ("CToolTipCtrl", RUNTIME_CLASS(CToolTipCtrl)->m_lpszClassName);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CTipEx)->CreateObject()) << "no dynamic creation";
}

TEST(RuntimeClass, ObjectsReportTheirMostDerivedDeclaredClass) {
    CTipEx tip;
    CPlainLabel label;
    EXPECT_EQ(RUNTIME_CLASS(CTipEx), tip.GetRuntimeClass());
    EXPECT_TRUE(tip.IsKindOf(RUNTIME_CLASS(CToolTipCtrl)));
    EXPECT_EQ(RUNTIME_CLASS(CStatic), label.GetRuntimeClass());
    EXPECT_FALSE(label.IsKindOf(RUNTIME_CLASS(CToolTipCtrl)));
    EXPECT_EQ(&tip, DYNAMIC_DOWNCAST(CToolTipCtrl, &tip));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CToolTipCtrl, &label));
}

TEST(FrameworkExceptions, SharedInstancesAreNotDeleted) {
    try {
        AfxThrowResourceException();
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CResourceException)));
        char szMessage[128];
        EXPECT_TRUE(e->GetErrorMessage(szMessage, sizeof szMessage));
        EXPECT_STRNE("", szMessage);
        e->Delete();
    }
    try {
        AfxThrowUserException();
    } catch (CUserException* e) {
        char szMessage[16];
        EXPECT_FALSE(e->GetErrorMessage(szMessage, sizeof szMessage)) << "already told the user";
        e->Delete();
    }
}
