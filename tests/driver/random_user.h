// A random user of the Velastro window: steps drawn from a numbered stream, a model of what must
// hold after each one, and the shrinking of a failing run to a short case. It drives no window
// itself: a port does (the in-process driver, or a second process beside Velastro.exe).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One thing a user does.
struct Step {
    enum EAction { kClick, kCommand, kType, kPaste, kKey, kWindow, kAnswerBox, kAnswerFile };
    EAction eAction;
    // kClick, kCommand: a control id; kPaste: the length; kKey: EKey; kWindow: EWindowAction;
    // kAnswerBox: EBoxAnswer; kAnswerFile: -1 cancels, else pool file * 2, plus 1 when an
    // existing file may be replaced.
    int nArg;
    std::string strText;  // kType: the characters typed
};

enum EKey { kTab, kShiftTab, kEnter, kEsc };
enum EWindowAction { kCloseBox, kMinimise, kRestore, kMenuAbout, kMenuClose };
enum EBoxAnswer { kBoxOk, kBoxEsc, kBoxCloseBox };

// The files a user chooses among: name ('/' between folders), bytes at the start of a run
// (nullopt: absent), whether it is a folder or refuses a save (read-only or locked), and what
// loading it does by the file's rules: the formula taken (nullopt keeps it) or a refusal.
struct PoolFile {
    std::string strName;
    std::optional<std::string> bytes;
    bool bFolder, bRefusesSave;
    std::optional<std::string> loads;
    bool bTooLong;
};
const std::vector<PoolFile>& Pool();
std::string PoolPath(const std::string& strFolder, int nFile);  // with the host's separators
// The pool folder as a run starts with it; the port makes each file that refuses saves do so.
void WritePool(const std::string& strFolder,
               const std::function<void(const std::string&)>& fnRefuseSaves);

// What a port reports of the window; mapFiles only when asked for.
struct WindowView {
    enum EUp { kNothing, kMain, kAbout, kBox, kFileDialog };
    bool bRunning = false;
    EUp eUp = kNothing;
    bool bMinimised = false;
    std::string strCaption, strFormula, strAnswer;
    std::array<std::string, 10> astrFields;  // edits 150 to 159
    std::vector<bool> vecVisible;            // the controls of WatchedIds(), in order
    int nFocusId = 0;                        // the focused control of the dialog that is up
    bool bFocusHidden = false;               // the focus is on a hidden or disabled control
    int nEnterCommand = 0;                   // the command Enter sends from the focus
    std::string strBoxText;
    bool bBoxOwnedByMain = false;
    bool bFileSave = false;
    std::string strFileProposed;
    bool bFilesRead = false;
    std::map<std::string, std::string> mapFiles;  // the pool folder: name to FileDigest
    std::string strProblem;  // what the host itself saw go wrong: a crash, a hang, a leak
};

// What a kPaste step pastes: its text over and over, nArg characters.
std::string PasteText(const Step& step);

// A control's name in failures and printed cases: resource.h's, or the shape's or key's.
std::string ControlName(int nId);
// The controls whose visibility is checked after every step.
const std::vector<int>& WatchedIds();
// A file's bytes as compared: large ones by their size alone; a folder is kFolderDigest.
std::string FileDigest(const std::string& strBytes);
inline constexpr char kFolderDigest[] = "<folder>";
// What a folder holds, by name: the digest of each file and folder in it.
std::map<std::string, std::string> FolderDigests(const std::string& strFolder);

class CWindowPort {
public:
    virtual ~CWindowPort() = default;
    virtual void ResetFiles() = 0;  // the pool folder as a run starts with it
    virtual void Start() = 0;       // a new program run
    // False when a file dialog did not take the answer: its own check refused the path, or the
    // user declined to replace a file.
    virtual bool Do(const Step& step) = 0;
    virtual WindowView View(bool bFiles) = 0;
    virtual std::string PathOf(int nFile) = 0;  // the full path of a pool file
};

// A run's end: the steps done, and the first failure with the step it followed.
struct RunResult {
    std::vector<Step> vecSteps;
    std::string strFailure;  // empty when every check held
    std::size_t nFailedStep = 0;
    std::size_t nProgramRuns = 0;
};

class CWindowModel;

class CRandomUser {
public:
    explicit CRandomUser(CWindowPort& port) : m_port(port) {}
    // nSteps steps drawn from the stream, checked after each; stops at the first failure.
    RunResult Run(std::uint64_t nStream, std::size_t nSteps);
    // The steps again from a fresh pool and program; steps the state does not allow are skipped.
    RunResult Replay(const std::vector<Step>& vecSteps);
    // The shortest list found within dSeconds that fails the same check.
    std::vector<Step> Shrink(const RunResult& failed, double dSeconds);
    // Steps as C++ that a test pastes into Replay().
    static std::string CaseText(const std::vector<Step>& vecSteps);
    // Run() with its stream, pace and any failure printed; the failure shrunk and as a case.
    RunResult RunReported(std::uint64_t nStream, std::size_t nSteps, double dShrinkSeconds);
    std::size_t StepsDone() const { return m_nStepsDone; }  // of the run or replay going on

private:
    // The step after i steps, for the state the model expects; nullopt skips it.
    using NextStep = std::function<std::optional<Step>(std::size_t i, const CWindowModel&)>;
    RunResult Drive(const NextStep& fnNext, std::size_t nSteps);
    CWindowPort& m_port;
    std::size_t m_nStepsDone = 0;
};
