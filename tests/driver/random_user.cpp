#include "random_user.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <numeric>

#include "random_model.h"
#include "window_facts.h"

namespace {

// Arguments drawn when the step is: a shape, a keypad key, a value field that shows.
constexpr int kAnyShape = -1, kAnyKey = -2, kAnyField = -3;

// What a user does in the main window, and how often relative to each other. What is typed or
// pasted is drawn too; every other paste is a page long.
const std::pair<int, Step> kMainSteps[] = {
    {120, {Step::kClick, kAnyShape, ""}},
    {150, {Step::kCommand, kAnyKey, ""}},
    {40, {Step::kCommand, IDC_UNDO, ""}},
    {20, {Step::kCommand, IDC_DELETE, ""}},
    {20, {Step::kCommand, IDC_CALCULATE, ""}},
    {15, {Step::kCommand, IDC_SAVE, ""}},
    {15, {Step::kCommand, IDC_LOAD, ""}},
    {50, {Step::kClick, IDC_CLICK_HERE, ""}},
    {80, {Step::kClick, kAnyField, ""}},
    {170, {Step::kType, 0, ""}},
    {5, {Step::kPaste, 0, ""}},
    {40, {Step::kKey, kTab, ""}},
    {30, {Step::kKey, kShiftTab, ""}},
    {40, {Step::kKey, kEnter, ""}},
    {2, {Step::kKey, kEsc, ""}},
    {10, {Step::kClick, IDC_ABOUT, ""}},
    {2, {Step::kClick, IDOK, ""}},
    {1, {Step::kWindow, kCloseBox, ""}},
    {10, {Step::kWindow, kMinimise, ""}},
    {5, {Step::kWindow, kMenuAbout, ""}},
    {1, {Step::kWindow, kMenuClose, ""}},
};

// Digits most, then what numbers are made of, letters of inf and nan, control characters.
const char kTyped[] = "00112233445566778899..,-+eE abinf\b\t\r\x01\x03\x16\x18\x1a\x7f";

// The steps of one stream: the same stream gives the same steps on every host.
class CStepDraw {
public:
    explicit CStepDraw(std::uint64_t nStream) : m_nState(nStream) {}

    Step Next(const CWindowModel& model) {
        switch (model.Mode()) {
            case CWindowModel::kMinimised: {
                const int kActions[] = {kRestore,  kRestore,   kRestore,
                                        kCloseBox, kMenuAbout, kMenuClose};
                return {Step::kWindow, kActions[Below(std::size(kActions))], ""};
            }
            case CWindowModel::kAbout: {
                const Step kCloses[] = {
                    {Step::kClick, IDOK, ""},       {Step::kKey, kEnter, ""},
                    {Step::kKey, kEsc, ""},         {Step::kKey, kTab, ""},
                    {Step::kWindow, kCloseBox, ""}, {Step::kWindow, kMenuClose, ""}};
                return kCloses[Below(std::size(kCloses))];
            }
            case CWindowModel::kBox: {
                const int kAnswers[] = {kBoxOk, kBoxOk, kBoxEsc, kBoxCloseBox};
                return {Step::kAnswerBox, kAnswers[Below(std::size(kAnswers))], ""};
            }
            case CWindowModel::kFileDialog: {
                const int nAnswer = static_cast<int>(Below(Pool().size() * 2 + 2)) - 2;
                return {Step::kAnswerFile, std::max(nAnswer, -1), ""};
            }
            default:
                return MainStep(model);
        }
    }

private:
    // splitmix64: tiny, and the same numbers everywhere, unlike the library's distributions.
    std::size_t Below(std::size_t nLimit) {
        std::uint64_t n = (m_nState += 0x9E3779B97F4A7C15ull);
        n = (n ^ (n >> 30)) * 0xBF58476D1CE4E5B9ull;
        n = (n ^ (n >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::size_t>((n ^ (n >> 31)) % nLimit);
    }

    std::string Text() {
        std::string strText(1 + Below(6), ' ');
        for (char& c : strText)
            c = kTyped[Below(sizeof kTyped - 1)];
        return strText;
    }

    int Field(const CWindowModel& model) {
        const int nId = IDC_LENGTH_EDIT + static_cast<int>(Below(3));
        return model.Shows(nId) ? nId : IDC_DEPTH_EDIT;
    }

    Step MainStep(const CWindowModel& model) {
        static const int nTotal = std::accumulate(
            std::begin(kMainSteps), std::end(kMainSteps), 0,
            [](int nSum, const std::pair<int, Step>& entry) { return nSum + entry.first; });
        std::size_t nDraw = Below(static_cast<std::size_t>(nTotal)), i = 0;
        while (nDraw >= static_cast<std::size_t>(kMainSteps[i].first))
            nDraw -= kMainSteps[i++].first;
        Step step = kMainSteps[i].second;
        if (step.nArg == kAnyShape) step.nArg = kShapeRows[Below(8)].nButton;
        if (step.nArg == kAnyKey) step.nArg = kKeyTexts[Below(std::size(kKeyTexts))].first;
        if (step.nArg == kAnyField) step.nArg = Field(model);
        if (step.eAction == Step::kType || step.eAction == Step::kPaste) step.strText = Text();
        if (step.eAction == Step::kPaste) step.nArg = Below(2) ? 100000 : 1 + int(Below(12));
        return step;
    }

    std::uint64_t m_nState;
};

// The check that failed: what a failure text names before its colon.
std::string Kind(const std::string& strFailure) {
    return strFailure.substr(0, strFailure.find(':'));
}

}  // namespace

std::string Quoted(const std::string& strText) {
    std::string strQuoted = "\"";
    for (unsigned char c : strText) {
        char szEscape[8];
        std::snprintf(szEscape, sizeof szEscape, "\\%03o", c);
        if (c == '"' || c == '\\') strQuoted += '\\';
        strQuoted += c < ' ' || c > '~' ? std::string(szEscape) : std::string(1, char(c));
    }
    return strQuoted + "\"";
}

std::string PasteText(const Step& step) {
    std::string strText;
    while (!step.strText.empty() && strText.size() < static_cast<std::size_t>(step.nArg))
        strText += step.strText;
    return strText.substr(0, static_cast<std::size_t>(std::max(step.nArg, 0)));
}

RunResult CRandomUser::Drive(const NextStep& fnNext, std::size_t nSteps) {
    RunResult result;
    m_port.ResetFiles();
    std::vector<std::string> vecPaths;
    for (std::size_t i = 0; i < Pool().size(); ++i)
        vecPaths.push_back(m_port.PathOf(static_cast<int>(i)));
    CWindowModel model(vecPaths);
    WindowView view;
    const auto fnStart = [&] {
        m_port.Start();
        model.StartProgram();
        view = m_port.View(++result.nProgramRuns == 1);
        return model.Check(view);
    };
    result.strFailure = fnStart();
    for (std::size_t i = 0; i < nSteps && result.strFailure.empty(); ++i) {
        if (model.Mode() == CWindowModel::kEnded && !(result.strFailure = fnStart()).empty()) break;
        const std::optional<Step> step = fnNext(i, model);
        if (!step || !model.Allows(*step)) continue;
        result.vecSteps.push_back(*step);
        m_nStepsDone = result.vecSteps.size();
        const bool bTaken = m_port.Do(*step);
        model.Apply(*step, view, bTaken);
        view = m_port.View(step->eAction == Step::kAnswerFile);
        result.strFailure = model.Check(view);
        model.Settle(view);
    }
    result.nFailedStep = result.vecSteps.size();
    return result;
}

RunResult CRandomUser::Run(std::uint64_t nStream, std::size_t nSteps) {
    CStepDraw draw(nStream);
    return Drive([&draw](std::size_t, const CWindowModel& model) { return draw.Next(model); },
                 nSteps);
}

RunResult CRandomUser::RunReported(std::uint64_t nStream, std::size_t nSteps,
                                   double dShrinkSeconds) {
    const auto fnSecondsSince = [](std::chrono::steady_clock::time_point tStart) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - tStart).count();
    };
    std::printf("random user: stream %llu, %zu steps\n", (unsigned long long)nStream, nSteps);
    std::fflush(stdout);
    const auto tStart = std::chrono::steady_clock::now();
    const RunResult result = Run(nStream, nSteps);
    const double dSeconds = fnSecondsSince(tStart);
    std::printf("random user: stream %llu: %zu steps in %zu program runs, %.1f s, %.0f steps/s\n",
                (unsigned long long)nStream, result.vecSteps.size(), result.nProgramRuns, dSeconds,
                static_cast<double>(result.vecSteps.size()) / dSeconds);
    if (result.strFailure.empty()) return result;
    std::printf("random user: stream %llu, step %zu: %s\n", (unsigned long long)nStream,
                result.nFailedStep, result.strFailure.c_str());
    std::fflush(stdout);
    const auto tShrink = std::chrono::steady_clock::now();
    const std::vector<Step> vecShrunk = Shrink(result, dShrinkSeconds);
    std::printf("shrunk to %zu steps in %.1f s:\n%s", vecShrunk.size(), fnSecondsSince(tShrink),
                CaseText(vecShrunk).c_str());
    std::fflush(stdout);
    return result;
}

RunResult CRandomUser::Replay(const std::vector<Step>& vecSteps) {
    return Drive([&vecSteps](std::size_t i, const CWindowModel&) { return vecSteps[i]; },
                 vecSteps.size());
}

// Drops ever smaller runs of steps from the end backwards, then shortens what is typed, and
// keeps every change after which the same check still fails.
std::vector<Step> CRandomUser::Shrink(const RunResult& failed, double dSeconds) {
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::duration<double>(dSeconds);
    std::vector<Step> vecBest = failed.vecSteps;
    const auto fnFailsAlike = [&](const std::vector<Step>& vecCandidate) {
        if (std::chrono::steady_clock::now() > tEnd) return false;
        const RunResult result = Replay(vecCandidate);
        if (result.strFailure.empty() || Kind(result.strFailure) != Kind(failed.strFailure))
            return false;
        vecBest = result.vecSteps;
        return true;
    };
    for (bool bShorter = true; bShorter;) {
        bShorter = false;
        for (std::size_t nRun = std::max<std::size_t>(vecBest.size() / 2, 1); nRun > 0;
             nRun = nRun > 4 ? nRun / 2 : nRun - 1) {
            for (std::size_t nEnd = vecBest.size(); nEnd >= nRun;) {
                std::vector<Step> vecCandidate = vecBest;
                vecCandidate.erase(vecCandidate.begin() + (nEnd - nRun),
                                   vecCandidate.begin() + nEnd);
                bShorter = fnFailsAlike(vecCandidate) || bShorter;
                nEnd = std::min(nEnd, vecBest.size() + nRun) - nRun;
            }
        }
        for (std::size_t i = 0; i < vecBest.size(); ++i) {
            Step step = vecBest[i];
            if (step.eAction == Step::kPaste && step.nArg > 1)
                step.nArg = 1;
            else if (step.strText.size() > 1)
                step.strText.resize(step.strText.size() / 2);
            else
                continue;
            std::vector<Step> vecCandidate = vecBest;
            vecCandidate[i] = step;
            bShorter = fnFailsAlike(vecCandidate) || bShorter;
        }
    }
    return vecBest;
}

std::string CRandomUser::CaseText(const std::vector<Step>& vecSteps) {
    static const char* const kActions[] = {"kClick", "kCommand", "kType",      "kPaste",
                                           "kKey",   "kWindow",  "kAnswerBox", "kAnswerFile"};
    static const char* const kKeys[] = {"kTab", "kShiftTab", "kEnter", "kEsc"};
    static const char* const kWindowActions[] = {"kCloseBox", "kMinimise", "kRestore", "kMenuAbout",
                                                 "kMenuClose"};
    static const char* const kBoxAnswers[] = {"kBoxOk", "kBoxEsc", "kBoxCloseBox"};
    std::string strText = "    Replay({\n";
    for (const Step& step : vecSteps) {
        const bool bControl = step.eAction == Step::kClick || step.eAction == Step::kCommand;
        std::string strArg = std::to_string(step.nArg);
        if (step.eAction == Step::kKey) strArg = kKeys[step.nArg];
        if (step.eAction == Step::kWindow) strArg = kWindowActions[step.nArg];
        if (step.eAction == Step::kAnswerBox) strArg = kBoxAnswers[step.nArg];
        strText += std::string("        {Step::") + kActions[step.eAction] + ", " + strArg + ", " +
                   Quoted(step.strText) + "},";
        if (bControl) strText += "  // " + ControlName(step.nArg);
        if (step.eAction == Step::kAnswerFile)
            strText += step.nArg < 0 ? "  // Cancel"
                                     : "  // " + Pool()[step.nArg / 2].strName +
                                           (step.nArg % 2 ? ", replacing" : "");
        strText += "\n";
    }
    return strText + "    });\n";
}
