#include "random_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "formula_parser.h"
#include "window_facts.h"

namespace {

const char kNumberPrompt[] = "Geben Sie eine Zahl ein.";
constexpr std::size_t kLineLimit = 1048576;
constexpr std::size_t kDigestLimit = 65536;
const int kClickable[] = {IDC_LENGTH_EDIT, IDC_WIDTH_EDIT, IDC_DEPTH_EDIT,
                          IDC_CLICK_HERE,  IDC_ABOUT,      IDOK};

bool IsField(int nId) {
    return nId >= IDC_LENGTH_EDIT && nId <= IDC_DEPTH_EDIT;
}

bool IsShapeButton(int nId) {
    return std::any_of(std::begin(kShapeRows), std::end(kShapeRows),
                       [nId](const ShapeRow& row) { return row.nButton == nId; });
}

bool IsClickable(int nId) {
    return IsShapeButton(nId) || std::count(std::begin(kClickable), std::end(kClickable), nId);
}

// A number in a printf format; infinities and NaN spelt one way on every host, as C libraries
// differ there.
std::string Printed(const char* pszFormat, double dValue) {
    if (std::isnan(dValue)) return std::signbit(dValue) ? "-nan" : "nan";
    if (std::isinf(dValue)) return dValue < 0 ? "-inf" : "inf";
    char szText[400];
    std::snprintf(szText, sizeof szText, pszFormat, dValue);
    return szText;
}

std::string Differ(const std::string& strWhat, const std::string& strExpected,
                   const std::string& strShown) {
    const auto fnCut = [](const std::string& strText) { return Quoted(strText.substr(0, 120)); };
    if (strExpected == strShown) return "";
    return strWhat + ": expected " + fnCut(strExpected) + ", the window shows " + fnCut(strShown);
}

std::string BaseName(const std::string& strPath) {
    return strPath.substr(strPath.find_last_of("/\\") + 1);
}

}  // namespace

std::string FixedText(double dValue) {
    return Printed("%f", dValue);
}

std::string GeneralText(double dValue) {
    return Printed("%.15g", dValue);
}

// strtod reads as "%lf" does, hexadecimal numbers aside: typing here never makes one (no x).
bool ReadNumber(const std::string& strText, double& dValue) {
    char* pEnd = nullptr;
    const double dRead = std::strtod(strText.c_str(), &pEnd);
    if (pEnd == strText.c_str()) return false;
    dValue = dRead;
    return true;
}

std::string FormulaFileBytes(const std::string& strFormula, const std::array<double, 10>& values) {
    std::string strBytes =
        "Korvandelmatrix Formulaparser\r\n\r\n\r\n[COMMENT]\r\nno comment\r\n\r\n[FORMEL]\r\n" +
        strFormula + "\r\n\r\n[CONSTANTS]\r\n10\r\n";
    for (double dValue : values)
        strBytes += FixedText(dValue) + "\r\n";
    return strBytes + "\r\n[COMMAND]\r\n\r\n[END]\r\n";
}

std::string FileDigest(const std::string& strBytes) {
    return strBytes.size() > kDigestLimit ? "#" + std::to_string(strBytes.size()) : strBytes;
}

std::map<std::string, std::string> FolderDigests(const std::string& strFolder) {
    std::map<std::string, std::string> mapDigests;
    for (const auto& entry : std::filesystem::directory_iterator(strFolder)) {
        std::string& strDigest = mapDigests[entry.path().filename().string()];
        const std::size_t nSize = entry.is_directory() ? 0 : entry.file_size();
        if (entry.is_directory() || nSize > kDigestLimit) {
            strDigest = entry.is_directory() ? kFolderDigest : "#" + std::to_string(nSize);
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        strDigest.resize(nSize);
        in.read(&strDigest[0], static_cast<std::streamsize>(nSize));
    }
    return mapDigests;
}

const std::vector<PoolFile>& Pool() {
    static const std::vector<PoolFile> kPool = {
        {"a.FKT", std::nullopt, false, false, std::nullopt, false},
        {"b.FKT", std::nullopt, false, false, std::nullopt, false},
        {"kept.FKT", FormulaFileBytes("(B+G)*2", {}), false, true, "(B+G)*2", false},
        {"hand.FKT", "head\n[FORMEL]\nB*F*G*.0057", false, false, "B*F*G*.0057", false},
        {"nomark.FKT", "head\n[formel]\nB*4\n", false, false, "", false},
        {"empty.FKT", "", false, false, std::nullopt, false},
        {"long.FKT", "head\r\n[FORMEL]\r\n" + std::string(kLineLimit + 1, '1') + "\r\n", false,
         false, std::nullopt, true},
        {"folder", std::nullopt, true, false, std::nullopt, false},
        {"none/c.FKT", std::nullopt, false, false, std::nullopt, false},
    };
    return kPool;
}

std::string PoolPath(const std::string& strFolder, int nFile) {
    const std::filesystem::path name = std::filesystem::path(Pool()[nFile].strName);
    return (std::filesystem::path(strFolder) / name).make_preferred().string();
}

void WritePool(const std::string& strFolder,
               const std::function<void(const std::string&)>& fnRefuseSaves) {
    std::error_code ec;
    std::filesystem::remove_all(strFolder, ec);
    std::filesystem::create_directories(strFolder);
    for (std::size_t i = 0; i < Pool().size(); ++i) {
        const PoolFile& file = Pool()[i];
        const std::string strPath = PoolPath(strFolder, static_cast<int>(i));
        if (file.bFolder) std::filesystem::create_directory(strPath);
        if (file.bytes) std::ofstream(strPath, std::ios::binary) << *file.bytes;
        if (file.bRefusesSave) fnRefuseSaves(strPath);
    }
}

// The names a failure and a printed case give the controls, as resource.h spells them.
std::string ControlName(int nId) {
#define VELASTRO_NAMED(id) \
    { id, #id }
    static const std::map<int, const char*> kNames = {VELASTRO_NAMED(IDOK),
                                                      VELASTRO_NAMED(IDC_LENGTH_EDIT),
                                                      VELASTRO_NAMED(IDC_WIDTH_EDIT),
                                                      VELASTRO_NAMED(IDC_DEPTH_EDIT),
                                                      VELASTRO_NAMED(IDC_LBL_WIDTH),
                                                      VELASTRO_NAMED(IDC_LBL_LENGTH),
                                                      VELASTRO_NAMED(IDC_LBL_DIAMETER),
                                                      VELASTRO_NAMED(IDC_ANSWER),
                                                      VELASTRO_NAMED(IDC_CALCULATE),
                                                      VELASTRO_NAMED(IDC_FORMULA),
                                                      VELASTRO_NAMED(IDC_DELETE),
                                                      VELASTRO_NAMED(IDC_UNDO),
                                                      VELASTRO_NAMED(IDC_SAVE),
                                                      VELASTRO_NAMED(IDC_LOAD),
                                                      VELASTRO_NAMED(IDC_CLICK_HERE),
                                                      VELASTRO_NAMED(IDC_ABOUT)};
#undef VELASTRO_NAMED
    if (const auto it = kNames.find(nId); it != kNames.end()) return it->second;
    for (int i = 0; i < 8; ++i) {
        const ShapeRow& row = kShapeRows[i];
        if (nId == row.nButton) return row.pszName;
        if (nId == row.nPicture) return row.pszName + std::string(" picture");
        if (nId == row.nSelectedPicture) return row.pszName + std::string(" selected picture");
        if (nId == IDC_ARROW1 + i) return row.pszName + std::string(" arrow");
    }
    for (const auto& [nKey, pszText] : kKeyTexts)
        if (nKey == nId) return "key " + Quoted(pszText);
    if (nId >= IDC_CONST_H && nId <= IDC_CONST_X) return "constant field " + std::to_string(nId);
    return "control " + std::to_string(nId);
}

const std::vector<int>& WatchedIds() {
    static const std::vector<int> kIds = [] {
        std::vector<int> ids = {IDC_WIDTH_EDIT, IDC_LBL_WIDTH, IDC_LBL_LENGTH, IDC_LBL_DIAMETER,
                                IDC_ANSWER,     IDC_CALCULATE, IDC_FORMULA,    IDC_DELETE,
                                IDC_UNDO,       IDC_SAVE,      IDC_LOAD};
        ids.insert(ids.end(), std::begin(kClickable), std::end(kClickable));
        for (int i = 0; i < 8; ++i)
            ids.insert(ids.end(), {kShapeRows[i].nButton, kShapeRows[i].nPicture,
                                   kShapeRows[i].nSelectedPicture, IDC_ARROW1 + i});
        for (const auto& key : kKeyTexts)
            ids.push_back(key.first);
        for (int nId = IDC_CONST_H; nId <= IDC_CONST_X; ++nId)
            ids.push_back(nId);
        return ids;
    }();
    return kIds;
}

CWindowModel::CWindowModel(std::vector<std::string> vecPaths) : m_vecPaths(std::move(vecPaths)) {
    for (const PoolFile& file : Pool()) {
        if (file.bFolder)
            m_mapFiles[file.strName] = {kFolderDigest, false, std::nullopt, false};
        else if (file.bytes)
            m_mapFiles[file.strName] = {FileDigest(*file.bytes), file.bRefusesSave, file.loads,
                                        file.bTooLong};
    }
    StartProgram();
}

void CWindowModel::StartProgram() {
    m_bEnded = m_bMinimised = m_bAbout = false;
    m_bAnswerShown = true;
    m_nShape = -1;
    m_nFreeField = 0;
    m_strFormula = m_strUndo = m_strAnswer = "";
    m_strFileName = "Test.fkt";
    m_strCaption = "Velastro";
    m_adValues = {};
    m_astrFields.fill("0");
    m_prompt.reset();
}

CWindowModel::EMode CWindowModel::Mode() const {
    if (m_bEnded) return kEnded;
    if (m_prompt) return m_prompt->bFile ? kFileDialog : kBox;
    if (m_bAbout) return kAbout;
    return m_bMinimised ? kMinimised : kMain;
}

bool CWindowModel::Shows(int nId) const {
    const ShapeRow* pRow = m_nShape < 0 ? nullptr : &kShapeRows[m_nShape];
    if (nId == IDC_WIDTH_EDIT || nId == IDC_LBL_WIDTH) return !pRow || pRow->bWidth;
    if (nId == IDC_LBL_LENGTH) return !pRow || !pRow->bDiameter;
    if (nId == IDC_LBL_DIAMETER) return pRow && pRow->bDiameter;
    if (nId == IDC_ANSWER) return m_bAnswerShown;
    for (int i = 0; i < 8; ++i) {
        if (nId == kShapeRows[i].nPicture) return i != m_nShape;
        if (nId == kShapeRows[i].nSelectedPicture || nId == IDC_ARROW1 + i) return i == m_nShape;
    }
    return IsClickable(nId);
}

bool CWindowModel::Allows(const Step& step) const {
    const Step::EAction e = step.eAction;
    switch (Mode()) {
        case kMain:
            if (e == Step::kClick) return Shows(step.nArg) && IsClickable(step.nArg);
            if (e == Step::kWindow) return step.nArg != kRestore;
            return e == Step::kCommand || e == Step::kType || e == Step::kPaste || e == Step::kKey;
        case kMinimised:
            return e == Step::kWindow && step.nArg != kMinimise;
        case kAbout:
            return (e == Step::kClick && step.nArg == IDOK) || e == Step::kKey ||
                   (e == Step::kWindow && (step.nArg == kCloseBox || step.nArg == kMenuClose));
        case kBox:
            return e == Step::kAnswerBox;
        case kFileDialog:
            return e == Step::kAnswerFile;
        default:
            return false;
    }
}

void CWindowModel::Apply(const Step& step, const WindowView& before, bool bTaken) {
    m_nFreeField = 0;
    switch (step.eAction) {
        case Step::kClick:
        case Step::kCommand:
            return Command(step.nArg);
        case Step::kType:
        case Step::kPaste:
            m_nFreeField = IsField(before.nFocusId) ? before.nFocusId : 0;
            return;
        case Step::kKey:
            if (step.nArg == kEnter && before.nEnterCommand != 0) Command(before.nEnterCommand);
            if (step.nArg == kEsc) Command(IDCANCEL);
            return;
        case Step::kWindow:
            if (step.nArg == kMinimise || step.nArg == kRestore)
                m_bMinimised = step.nArg == kMinimise;
            if (step.nArg == kCloseBox || step.nArg == kMenuClose) Command(IDCANCEL);
            if (step.nArg == kMenuAbout) m_bAbout = true;
            return;
        case Step::kAnswerBox:
        case Step::kAnswerFile: {
            const Prompt prompt = std::move(*m_prompt);
            m_prompt.reset();
            return prompt.fnThen(bTaken, step.nArg < 0 ? -1 : step.nArg / 2);
        }
    }
}

// A command of the main window, or of the About box while it is up.
void CWindowModel::Command(int nId) {
    if (m_bAbout) {
        m_bAbout = nId != IDOK && nId != IDCANCEL;
        return;
    }
    for (int i = 0; i < 8; ++i)
        if (kShapeRows[i].nButton == nId) return SelectShape(i);
    for (const auto& [nKey, pszText] : kKeyTexts)
        if (nKey == nId) return Append(pszText);
    switch (nId) {
        case IDC_UNDO:
            return ExchangeIn([this] { std::swap(m_strFormula, m_strUndo), ExchangeOut(); });
        case IDC_DELETE:
            return ExchangeIn(
                [this] { m_strUndo = m_strFormula, m_strFormula = "", ExchangeOut(); });
        case IDC_CLICK_HERE:
            m_bAnswerShown = true;
            return ExchangeIn([this] { Calculate(); });
        case IDC_CALCULATE:
            return ExchangeIn([this] { Calculate(); });
        case IDC_SAVE:
            return ExchangeIn([this] {
                m_prompt = Prompt{true, true, "", [this](bool b, int n) { Saved(b, n); }};
            });
        case IDC_LOAD:
            m_prompt = Prompt{true, false, "", [this](bool b, int n) { Loaded(b, n); }};
            return;
        case IDOK:
        case IDCANCEL:
            return ExchangeIn([this] { m_bEnded = true; }, false);
        case IDC_ABOUT:
            m_bAbout = true;
            return;
        default:
            return;
    }
}

// Fields are read in order; the first that holds no number stops the exchange with the prompt,
// after which a command goes on, unless it is closing the window.
void CWindowModel::ExchangeIn(const std::function<void()>& fnThen, bool bRegardless) {
    for (std::size_t i = 0; i < m_adValues.size(); ++i) {
        if (!ReadNumber(m_astrFields[i].substr(0, 399), m_adValues[i]))
            return Ask(kNumberPrompt, bRegardless ? fnThen : nullptr);
    }
    fnThen();
}

void CWindowModel::ExchangeOut() {
    for (std::size_t i = 0; i < m_adValues.size(); ++i)
        m_astrFields[i] = GeneralText(m_adValues[i]);
}

void CWindowModel::Append(const std::string& strText) {
    ExchangeIn([this, strText] {
        m_strUndo = m_strFormula;
        m_strFormula += strText;
        ExchangeOut();
    });
}

void CWindowModel::Swap() {
    std::swap(m_strFormula, m_strUndo);
    ExchangeOut();
}

void CWindowModel::Delete() {
    m_strUndo = m_strFormula;
    m_strFormula.clear();
    ExchangeOut();
}

// Undo first, then the row's pictures and fields, then its formula appended.
void CWindowModel::SelectShape(int nRow) {
    ExchangeIn([this, nRow] {
        Swap();
        m_nShape = nRow;
        m_bAnswerShown = false;
        Append(kShapeRows[nRow].pszFormula);
    });
}

void CWindowModel::Calculate() {
    CFormulaParser parser;
    for (int i = 0; i < 9; ++i)
        parser.SetFunctConst(i + 1, m_adValues[i]);
    std::uint16_t nPosition = 0;
    std::string strError;
    const double dValue = parser.Calculation(m_strFormula, m_adValues[9], nPosition, strError);
    if (nPosition != 0)
        m_strAnswer = strError;
    else
        m_strAnswer = strError.empty() ? FixedText(dValue) : "????" + strError;
    ExchangeOut();
}

void CWindowModel::Ask(const std::string& strText, const std::function<void()>& fnThen) {
    m_prompt = Prompt{false, false, strText, [fnThen](bool, int) {
                          if (fnThen) fnThen();
                      }};
}

// A save is refused in a folder that is not there, over a folder and over a refusing file.
bool CWindowModel::Savable(const std::string& strName) const {
    const std::size_t nSlash = strName.rfind('/');
    if (nSlash != std::string::npos) {
        const auto itFolder = m_mapFiles.find(strName.substr(0, nSlash));
        if (itFolder == m_mapFiles.end() || itFolder->second.strDigest != kFolderDigest)
            return false;
    }
    const auto it = m_mapFiles.find(strName);
    return it == m_mapFiles.end() ||
           (!it->second.bRefusesSave && it->second.strDigest != kFolderDigest);
}

void CWindowModel::Saved(bool bTaken, int nFile) {
    if (!bTaken || nFile < 0) return;
    const std::string& strName = Pool()[nFile].strName;
    m_strFileName = m_vecPaths[nFile];
    if (!Savable(strName)) return Ask("Can not save the file " + m_strFileName, nullptr);
    m_mapFiles[strName] = {FileDigest(FormulaFileBytes(m_strFormula, m_adValues)), false,
                           m_strFormula, m_strFormula.size() > kLineLimit};
    m_strCaption = "Formulaparser - " + m_strFileName;
}

// The load's outcome, then the exchange out that OnLoad runs whatever it was.
void CWindowModel::Loaded(bool bTaken, int nFile) {
    const auto fnOut = [this] { ExchangeOut(); };
    if (!bTaken || nFile < 0) return fnOut();
    m_strFileName = m_vecPaths[nFile];
    const auto it = m_mapFiles.find(Pool()[nFile].strName);
    const std::string strRefused = "Can not open the file " + m_strFileName;
    if (it == m_mapFiles.end() || it->second.strDigest == kFolderDigest)
        return Ask(strRefused, fnOut);
    if (it->second.bTooLong)
        return Ask(strRefused + ": its formula line is longer than 1048576 characters", fnOut);
    if (it->second.loads) m_strFormula = *it->second.loads;
    fnOut();
}

std::string CWindowModel::Check(const WindowView& view) const {
    static const char* const kUp[] = {"nothing", "the main window", "the About box",
                                      "a message box", "a file dialog"};
    if (!view.strProblem.empty()) return "host: " + view.strProblem;
    if (view.bRunning == m_bEnded)
        return m_bEnded ? "running: the program still runs" : "running: the program ended";
    if (m_bEnded) return "";
    const WindowView::EUp eUp = m_prompt
                                    ? (m_prompt->bFile ? WindowView::kFileDialog : WindowView::kBox)
                                : m_bAbout ? WindowView::kAbout
                                           : WindowView::kMain;
    if (view.eUp != eUp)
        return std::string("up: expected ") + kUp[eUp] + ", there is " + kUp[view.eUp];
    if (view.bMinimised != m_bMinimised)
        return std::string("minimised: expected ") + (m_bMinimised ? "yes" : "no");
    if (view.bFocusHidden)
        return "focus: on the hidden or disabled control " + ControlName(view.nFocusId);
    std::string strFailure = m_prompt ? CheckPrompt(view) : CheckContent(view);
    if (strFailure.empty() && view.bFilesRead) strFailure = CheckFiles(view);
    return strFailure;
}

std::string CWindowModel::CheckPrompt(const WindowView& view) const {
    if (!m_prompt->bFile) {
        const std::string strText = Differ("message box", m_prompt->strText, view.strBoxText);
        return !strText.empty() || view.bBoxOwnedByMain
                   ? strText
                   : "owner: the message box is not the main window's";
    }
    if (view.bFileSave != m_prompt->bSave)
        return std::string("file dialog: expected ") + (m_prompt->bSave ? "Save" : "Open");
    return Differ("file dialog's name", BaseName(m_strFileName), BaseName(view.strFileProposed));
}

// The program's own state once no command is waiting: caption, texts and what shows.
std::string CWindowModel::CheckContent(const WindowView& view) const {
    // The hidden CALCULATE is the default button: Enter in a value field runs it.
    if (!m_bAbout && IsField(view.nFocusId) && view.nEnterCommand != IDC_CALCULATE)
        return "enter: from " + ControlName(view.nFocusId) + " it sends " +
               ControlName(view.nEnterCommand) + ", not IDC_CALCULATE";
    for (const std::string& strFailure : {Differ("caption", m_strCaption, view.strCaption),
                                          Differ("formula", m_strFormula, view.strFormula),
                                          Differ("answer", m_strAnswer, view.strAnswer)})
        if (!strFailure.empty()) return strFailure;
    for (std::size_t i = 0; i < m_astrFields.size(); ++i) {
        const int nId = IDC_LENGTH_EDIT + static_cast<int>(i);
        const std::string strFailure =
            Differ(ControlName(nId), m_astrFields[i], view.astrFields[i]);
        if (nId != m_nFreeField && !strFailure.empty()) return strFailure;
    }
    for (std::size_t i = 0; i < WatchedIds().size(); ++i) {
        if (Shows(WatchedIds()[i]) != view.vecVisible[i])
            return ControlName(WatchedIds()[i]) + ": expected " +
                   (view.vecVisible[i] ? "hidden" : "shown");
    }
    return "";
}

std::string CWindowModel::CheckFiles(const WindowView& view) const {
    std::map<std::string, std::string> mapExpected;
    for (const auto& [strName, record] : m_mapFiles)
        if (strName.find('/') == std::string::npos) mapExpected[strName] = record.strDigest;
    for (const auto& [strName, strDigest] : mapExpected) {
        const auto it = view.mapFiles.find(strName);
        if (it == view.mapFiles.end()) return "file " + strName + ": missing";
        if (it->second != strDigest) return Differ("file " + strName, strDigest, it->second);
    }
    for (const auto& entry : view.mapFiles)
        if (!mapExpected.count(entry.first)) return "file " + entry.first + ": left over";
    return "";
}

void CWindowModel::Settle(const WindowView& view) {
    if (m_nFreeField != 0)
        m_astrFields[m_nFreeField - IDC_LENGTH_EDIT] =
            view.astrFields[m_nFreeField - IDC_LENGTH_EDIT];
}
