#include "gem_dlg.h"

#include <iterator>

namespace {

struct ValueField {
    int nID;
    double CGemDlg::*pValue;
};

// The value fields in the order of the formula letters they feed: B F G H J K M N U, then X.
const ValueField kValueFields[] = {
    {IDC_LENGTH_EDIT, &CGemDlg::m_dB}, {IDC_WIDTH_EDIT, &CGemDlg::m_dF},
    {IDC_DEPTH_EDIT, &CGemDlg::m_dG},  {IDC_CONST_H, &CGemDlg::m_dH},
    {IDC_CONST_J, &CGemDlg::m_dJ},     {IDC_CONST_K, &CGemDlg::m_dK},
    {IDC_CONST_M, &CGemDlg::m_dM},     {IDC_CONST_N, &CGemDlg::m_dN},
    {IDC_CONST_U, &CGemDlg::m_dU},     {IDC_CONST_X, &CGemDlg::m_dX},
};
static_assert(std::size(kValueFields) == formula::kValueLetterCount);

struct LabelBinding {
    int nID;
    CColorLabel CGemDlg::*pLabel;
};

const LabelBinding kLabelBindings[] = {
    {IDC_LBL_ENTER_DIMENSIONS, &CGemDlg::m_lblEnterDimensions},
    {IDC_LBL_CHOOSE_SHAPE, &CGemDlg::m_lblChooseShape},
    {IDC_LBL_ANSWER, &CGemDlg::m_lblAnswer},
    {IDC_LBL_LENGTH, &CGemDlg::m_lblLength},
    {IDC_LBL_WIDTH, &CGemDlg::m_lblWidth},
    {IDC_LBL_DEPTH, &CGemDlg::m_lblDepth},
    {IDC_LBL_IN_MILLIMETERS, &CGemDlg::m_lblInMillimeters},
    {IDC_LBL_DIAMETER, &CGemDlg::m_lblDiameter},
};

struct PictureBinding {
    int nID;
    CStatic CGemDlg::*pPicture;
};

const PictureBinding kPictureBindings[] = {
    {IDC_PIC_ROUND, &CGemDlg::m_picRound},
    {IDC_PIC_ROUND_SEL, &CGemDlg::m_picRoundSel},
    {IDC_PIC_OVAL, &CGemDlg::m_picOval},
    {IDC_PIC_OVAL_SEL, &CGemDlg::m_picOvalSel},
    {IDC_PIC_SQUARE, &CGemDlg::m_picSquare},
    {IDC_PIC_SQUARE_SEL, &CGemDlg::m_picSquareSel},
    {IDC_PIC_RECTANGLE, &CGemDlg::m_picRectangle},
    {IDC_PIC_RECTANGLE_SEL, &CGemDlg::m_picRectangleSel},
    {IDC_PIC_MARQUISE, &CGemDlg::m_picMarquise},
    {IDC_PIC_MARQUISE_SEL, &CGemDlg::m_picMarquiseSel},
    {IDC_PIC_PEAR, &CGemDlg::m_picPear},
    {IDC_PIC_PEAR_SEL, &CGemDlg::m_picPearSel},
    {IDC_PIC_TRIANGLE, &CGemDlg::m_picTriangle},
    {IDC_PIC_TRIANGLE_SEL, &CGemDlg::m_picTriangleSel},
    {IDC_PIC_HEART, &CGemDlg::m_picHeart},
    {IDC_PIC_HEART_SEL, &CGemDlg::m_picHeartSel},
    {IDC_ARROW1, &CGemDlg::m_picArrow1},
    {IDC_ARROW2, &CGemDlg::m_picArrow2},
    {IDC_ARROW3, &CGemDlg::m_picArrow3},
    {IDC_ARROW4, &CGemDlg::m_picArrow4},
    {IDC_ARROW5, &CGemDlg::m_picArrow5},
    {IDC_ARROW6, &CGemDlg::m_picArrow6},
    {IDC_ARROW7, &CGemDlg::m_picArrow7},
    {IDC_ARROW8, &CGemDlg::m_picArrow8},
};

struct LabelStyle {
    CColorLabel CGemDlg::*pLabel;
    LPCTSTR lpszFace;
    int nPoints;
};

// Every label is black and bold; the bold flag goes first because SetBold rebuilds the font.
const LabelStyle kLabelStyles[] = {
    {&CGemDlg::m_lblEnterDimensions, "Arial Rounded", 10},
    {&CGemDlg::m_lblInMillimeters, "Arial Rounded", 8},
    {&CGemDlg::m_lblChooseShape, "Arial Rounded", 10},
    {&CGemDlg::m_lblAnswer, "Arial Rounded", 10},
    {&CGemDlg::m_lblLength, "Arial", 7},
    {&CGemDlg::m_lblWidth, "Arial", 7},
    {&CGemDlg::m_lblDepth, "Arial", 7},
    {&CGemDlg::m_lblDiameter, "Arial", 7},
};

}  // namespace

BEGIN_MESSAGE_MAP(CGemDlg, CDialog)
ON_WM_CTLCOLOR()
ON_WM_PAINT()
ON_WM_SYSCOMMAND()
ON_BN_CLICKED(IDC_CALCULATE, &CGemDlg::OnCalculate)
ON_BN_CLICKED(IDC_CLICK_HERE, &CGemDlg::OnClickHere)
ON_BN_CLICKED(IDC_KEY_SIN, &CGemDlg::OnKey<IDC_KEY_SIN>)
ON_BN_CLICKED(IDC_KEY_ARCSIN, &CGemDlg::OnKey<IDC_KEY_ARCSIN>)
ON_BN_CLICKED(IDC_KEY_SINH, &CGemDlg::OnKey<IDC_KEY_SINH>)
ON_BN_CLICKED(IDC_KEY_ARSINH, &CGemDlg::OnKey<IDC_KEY_ARSINH>)
ON_BN_CLICKED(IDC_KEY_COS, &CGemDlg::OnKey<IDC_KEY_COS>)
ON_BN_CLICKED(IDC_KEY_ARCCOS, &CGemDlg::OnKey<IDC_KEY_ARCCOS>)
ON_BN_CLICKED(IDC_KEY_COSH, &CGemDlg::OnKey<IDC_KEY_COSH>)
ON_BN_CLICKED(IDC_KEY_ARCOSH, &CGemDlg::OnKey<IDC_KEY_ARCOSH>)
ON_BN_CLICKED(IDC_KEY_TAN, &CGemDlg::OnKey<IDC_KEY_TAN>)
ON_BN_CLICKED(IDC_KEY_ARCTAN, &CGemDlg::OnKey<IDC_KEY_ARCTAN>)
ON_BN_CLICKED(IDC_KEY_TANH, &CGemDlg::OnKey<IDC_KEY_TANH>)
ON_BN_CLICKED(IDC_KEY_ARTANH, &CGemDlg::OnKey<IDC_KEY_ARTANH>)
ON_BN_CLICKED(IDC_KEY_EXP, &CGemDlg::OnKey<IDC_KEY_EXP>)
ON_BN_CLICKED(IDC_KEY_LN, &CGemDlg::OnKey<IDC_KEY_LN>)
ON_BN_CLICKED(IDC_KEY_INT, &CGemDlg::OnKey<IDC_KEY_INT>)
ON_BN_CLICKED(IDC_KEY_ABS, &CGemDlg::OnKey<IDC_KEY_ABS>)
ON_BN_CLICKED(IDC_KEY_TEN_POWER, &CGemDlg::OnKey<IDC_KEY_TEN_POWER>)
ON_BN_CLICKED(IDC_KEY_LOG, &CGemDlg::OnKey<IDC_KEY_LOG>)
ON_BN_CLICKED(IDC_KEY_RAD, &CGemDlg::OnKey<IDC_KEY_RAD>)
ON_BN_CLICKED(IDC_KEY_DEG, &CGemDlg::OnKey<IDC_KEY_DEG>)
ON_BN_CLICKED(IDC_KEY_SQUARE, &CGemDlg::OnKey<IDC_KEY_SQUARE>)
ON_BN_CLICKED(IDC_KEY_SQR, &CGemDlg::OnKey<IDC_KEY_SQR>)
ON_BN_CLICKED(IDC_KEY_X, &CGemDlg::OnKey<IDC_KEY_X>)
ON_BN_CLICKED(IDC_KEY_OPEN_PAREN, &CGemDlg::OnKey<IDC_KEY_OPEN_PAREN>)
ON_BN_CLICKED(IDC_KEY_CLOSE_PAREN, &CGemDlg::OnKey<IDC_KEY_CLOSE_PAREN>)
ON_BN_CLICKED(IDC_KEY_DIVIDE, &CGemDlg::OnKey<IDC_KEY_DIVIDE>)
ON_BN_CLICKED(IDC_KEY_MULTIPLY, &CGemDlg::OnKey<IDC_KEY_MULTIPLY>)
ON_BN_CLICKED(IDC_KEY_LENGTH, &CGemDlg::OnKey<IDC_KEY_LENGTH>)
ON_BN_CLICKED(IDC_KEY_EMERALD, &CGemDlg::OnKey<IDC_KEY_EMERALD>)
ON_BN_CLICKED(IDC_KEY_MINUS, &CGemDlg::OnKey<IDC_KEY_MINUS>)
ON_BN_CLICKED(IDC_KEY_PLUS, &CGemDlg::OnKey<IDC_KEY_PLUS>)
ON_BN_CLICKED(IDC_KEY_POINT, &CGemDlg::OnKey<IDC_KEY_POINT>)
ON_BN_CLICKED(IDC_KEY_POWER, &CGemDlg::OnKey<IDC_KEY_POWER>)
ON_BN_CLICKED(IDC_DELETE, &CGemDlg::OnDelete)
ON_BN_CLICKED(IDC_UNDO, &CGemDlg::OnUndo)
ON_COMMAND_RANGE(IDC_DIGIT0, IDC_DIGIT9, &CGemDlg::OnDigit)
ON_BN_CLICKED(IDC_SAVE, &CGemDlg::OnSave)
ON_BN_CLICKED(IDC_LOAD, &CGemDlg::OnLoad)
ON_BN_CLICKED(IDC_SQUARE_TRILLION, &CGemDlg::OnSquareTrillion)
ON_BN_CLICKED(IDC_ROUND_BRILLIANT, &CGemDlg::OnRoundBrilliant)
ON_BN_CLICKED(IDC_OVAL_BRILLIANT, &CGemDlg::OnOvalBrilliant)
ON_BN_CLICKED(IDC_HEART_BRILLIANT, &CGemDlg::OnHeartBrilliant)
ON_BN_CLICKED(IDC_RECTANGLE, &CGemDlg::OnRectangle)
ON_BN_CLICKED(IDC_MARQUISE_BRILLIANT, &CGemDlg::OnMarquiseBrilliant)
ON_BN_CLICKED(IDC_PEAR_BRILLIANT, &CGemDlg::OnPearBrilliant)
ON_BN_CLICKED(IDC_TRIANGLE_TRILLION, &CGemDlg::OnTriangleTrillion)
ON_BN_CLICKED(IDCANCEL, &CGemDlg::OnBnClickedCancel)
ON_BN_CLICKED(IDC_ABOUT, &CGemDlg::OnAbout)
END_MESSAGE_MAP()

CGemDlg::CGemDlg(CWnd* pParent) : CDialog(CGemDlg::IDD, pParent), m_hDlgIcon(nullptr) {
    m_strFormula = "";
    m_strAnswer = "";
    for (const ValueField& field : kValueFields)
        this->*field.pValue = 0.0;
    m_strFormulaUndo = m_strFormula;
    m_strFileName = "Test.fkt";
    m_hDlgIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CGemDlg::~CGemDlg() {}

formula::LetterValues CGemDlg::LetterValues() const {
    formula::LetterValues values = {};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = this->*kValueFields[i].pValue;
    return values;
}

void CGemDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FORMULA, m_strFormula);
    DDX_Text(pDX, IDC_ANSWER, m_strAnswer);
    for (const ValueField& field : kValueFields)
        DDX_Text(pDX, field.nID, this->*field.pValue);
    for (const LabelBinding& label : kLabelBindings)
        DDX_Control(pDX, label.nID, this->*label.pLabel);
    for (const PictureBinding& picture : kPictureBindings) {
        DDX_Control(pDX, picture.nID, this->*picture.pPicture);
    }
}

BOOL CGemDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AppendAboutToSystemMenu();
    SetIcon(m_hDlgIcon, TRUE);
    SetIcon(m_hDlgIcon, FALSE);
    StyleLabels();
    m_lblLength.ShowWindow(SW_SHOW);
    m_lblDiameter.ShowWindow(SW_HIDE);
    ShowStartPictures();
    KeepAnswerAboveItsFrame();
    return TRUE;
}

// The answer lies inside its frame picture, which the template lists just before it. Above the
// frame, and clipped out of the frame's painting, it stays readable in any order of painting.
void CGemDlg::KeepAnswerAboveItsFrame() {
    CWnd* pAnswer = GetDlgItem(IDC_ANSWER);
    CWnd* pFrame = pAnswer != nullptr ? pAnswer->GetWindow(GW_HWNDPREV) : nullptr;
    if (pFrame == nullptr) return;
    pFrame->ModifyStyle(0, WS_CLIPSIBLINGS);
    pAnswer->SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CGemDlg::AppendAboutToSystemMenu() {
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu == nullptr) return;
    CString strAboutMenu;
    strAboutMenu.LoadString(IDS_ABOUTBOX);
    if (strAboutMenu.IsEmpty()) return;
    pSysMenu->AppendMenu(MF_SEPARATOR);
    pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
}

void CGemDlg::StyleLabels() {
    for (const LabelStyle& style : kLabelStyles) {
        CColorLabel& label = this->*style.pLabel;
        label.SetTextColor(RGB(0, 0, 0), FALSE);
        label.SetBold(TRUE, FALSE);
        label.SetFontFace(style.lpszFace, style.nPoints, FALSE);
    }
}

void CGemDlg::ShowStartPictures() {
    for (const Shape& shape : kShapes)
        GetDlgItem(shape.nNormalPictureID)->ShowWindow(SW_SHOW);
    for (const Shape& shape : kShapes)
        GetDlgItem(shape.nSelectedPictureID)->ShowWindow(SW_HIDE);
    for (const Shape& shape : kShapes)
        GetDlgItem(shape.nArrowID)->ShowWindow(SW_HIDE);
}

void CGemDlg::OnBnClickedCancel() {
    OnOK();
}

// The null handle of the never-created brush leaves every colour to the platform's defaults.
HBRUSH CGemDlg::OnCtlColor(CDC* /*pDC*/, CWnd* /*pWnd*/, UINT /*nCtlColor*/) {
    return static_cast<HBRUSH>(m_brBackground.GetSafeHandle());
}

void CGemDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rc;
    GetClientRect(&rc);
    const int x = (rc.right - rc.left - cxIcon + 1) / 2;
    const int y = (rc.bottom - rc.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hDlgIcon);
}

// The window menu's "About" opens the same box as the button; every other item is the platform's.
void CGemDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}
