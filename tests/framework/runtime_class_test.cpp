// Run-time class information: names, bases, IsKindOf and DYNAMIC_DOWNCAST.
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
    // class, base, derived
    const std::tuple<CRuntimeClass*, CRuntimeClass*, bool> kCases[] = {
        {RUNTIME_CLASS(CTipEx), RUNTIME_CLASS(CObject), true},
        {RUNTIME_CLASS(CTipEx), RUNTIME_CLASS(CTipEx), true},
        {RUNTIME_CLASS(CToolTipCtrl), RUNTIME_CLASS(CTipEx), false},
        {RUNTIME_CLASS(CTipEx), RUNTIME_CLASS(CStatic), false},
        {RUNTIME_CLASS(CUserException), RUNTIME_CLASS(CException), true},
    };
    for (const auto& [pClass, pBase, bDerived] : kCases)
        EXPECT_EQ(bDerived, pClass->IsDerivedFrom(pBase) != FALSE)
            << pClass->m_lpszClassName << " from " << pBase->m_lpszClassName;
    EXPECT_STREQ("CTipEx", RUNTIME_CLASS(CTipEx)->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CToolTipCtrl), RUNTIME_CLASS(CTipEx)->m_pBaseClass);
}

TEST(RuntimeClass, ObjectsReportTheirMostDerivedDeclaredClass) {
    CTipEx tip;
    CPlainLabel label;
    EXPECT_EQ(RUNTIME_CLASS(CTipEx), tip.GetRuntimeClass());
    EXPECT_TRUE(tip.IsKindOf(RUNTIME_CLASS(CToolTipCtrl)));
    EXPECT_EQ(RUNTIME_CLASS(CStatic), label.GetRuntimeClass());
    EXPECT_EQ(&tip, DYNAMIC_DOWNCAST(CToolTipCtrl, &tip));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CToolTipCtrl, &label));
}
