// velastro-cli run as a separate process, the way scripts use it.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    return text;
}

// A running velastro-cli with pipes on its standard input, output and error.
class Child {
public:
    explicit Child(const std::vector<std::string>& args) {
        int in[2], out[2], err[2];
        if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            dup2(err[1], 2);
            for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
                close(fd);
            std::vector<char*> argv{const_cast<char*>(VELASTRO_CLI_PATH)};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(VELASTRO_CLI_PATH, argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        close(err[1]);
        in_ = in[1];
        out_ = out[0];
        err_ = err[0];
    }
    ~Child() { Finish(); }

    void Write(const std::string& text) {
        if (write(in_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            ADD_FAILURE() << "could not write to velastro-cli";
        }
    }

    // One line of output, or "" when none arrives within the time allowed.
    std::string ReadLine(int timeoutMs) {
        std::string line;
        char c = 0;
        while (line.empty() || line.back() != '\n') {
            pollfd p{out_, POLLIN, 0};
            if (poll(&p, 1, timeoutMs) <= 0 || read(out_, &c, 1) != 1) return "";
            line += c;
        }
        return line;
    }

    CliRun Finish() {
        CliRun run;
        if (pid_ <= 0) return run;
        close(in_);
        run.out = ReadAll(out_);
        run.err = ReadAll(err_);
        close(out_);
        close(err_);
        int status = 0;
        waitpid(pid_, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid_ = -1;
        return run;
    }

private:
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1, err_ = -1;
};

CliRun Cli(const std::vector<std::string>& args, const std::string& input = "") {
    Child child(args);
    child.Write(input);
    return child.Finish();
}

TEST(CliEval, OvalBrilliantWithSixFourThree) {
    const CliRun run = Cli({"eval", "-B", "6", "-F", "4", "-G", "3", "(B+F)/2*(B+F)/2*G*.0065"});
    EXPECT_EQ("0.487500\n", run.out);
    EXPECT_EQ(0, run.status);
}

TEST(CliEval, AnswersAsTheWindowShowsThem) {
    struct Row {
        std::string formula, out;
        int status;
    };
    for (const Row& row :
         {Row{"1/0", "???? (Division durch Null)\n", 1}, Row{"2+Q", "XXX!\n2+Q\n  ^\n", 1},
          Row{"  sqrt(4) ", "XXX!\nsqrt(4)\n   ^\n", 1}, Row{"", "0.000000\n", 0},
          Row{"1/X",
              "99999999999999996733616880411669127384953318580655547291796177947"
              "1295845921727862608739868455469056.000000\n",
              0}}) {
        const CliRun run = Cli({"eval", row.formula});
        EXPECT_EQ(row.out, run.out) << "formula \"" << row.formula << "\"";
        EXPECT_EQ(row.status, run.status) << "formula \"" << row.formula << "\"";
    }
}

TEST(CliEval, TsvGivesEveryBitOfTheValue) {
    const CliRun run = Cli({"eval", "--tsv", "-X", "-0.5"}, "0.1\n1/0\n2+Q\nX*2\n");
    EXPECT_EQ(
        "0.10000000000000001\t0\t\n"
        "1\t0\t (Division durch Null)\n"
        "2\t3\tXXX!\n"
        "-1\t0\t\n",
        run.out);
    EXPECT_EQ(1, run.status);
}

TEST(CliEval, StandardInputTakesLfAndCrLfLinesAndAnUnendedLastLine) {
    const CliRun run = Cli({"eval", "-B", "2"}, "B*3\r\n\nB^2\nB+1");
    EXPECT_EQ("6.000000\n0.000000\n4.000000\n3.000000\n", run.out);
    EXPECT_EQ(0, run.status);
}

TEST(CliEval, AnswersEachLineBeforeTheNextArrives) {
    Child child({"eval"});
    child.Write("1+2\n");
    EXPECT_EQ("3.000000\n", child.ReadLine(10000)) << "the answer waited for more input";
    child.Write("2*2\n");
    EXPECT_EQ("4.000000\n", child.ReadLine(10000));
    EXPECT_EQ(0, child.Finish().status);
}

TEST(CliEval, ConstantsFeedTheirLettersAndNegativeValuesAreValues) {
    const CliRun run =
        Cli({"eval", "--tsv", "-B", "1",  "-F", "2",  "-G", "3",  "-H", "4",  "-J",
             "5",    "-K",    "6",  "-M", "7",  "-N", "8",  "-U", "-9", "-X", "1e-99"},
            "B\nF\nG\nH\nJ\nK\nM\nN\nU\nX\nV\n");
    EXPECT_EQ(
        "1\t0\t\n2\t0\t\n3\t0\t\n4\t0\t\n5\t0\t\n6\t0\t\n7\t0\t\n8\t0\t\n-9\t0\t\n"
        "1e-99\t0\t\n0\t0\t\n",
        run.out);
}

TEST(CliEval, UsageErrorsExitWithTwoAndSayWhy) {
    struct Row {
        std::vector<std::string> args;
        std::string reason;
    };
    for (const Row& row : {Row{{"eval", "-B", "abc", "1"}, "'abc' is not a decimal number"},
                           Row{{"eval", "-G", "6,5", "1"}, "'6,5'"},
                           Row{{"eval", "-X", "1e999", "1"}, "out of the range"},
                           Row{{"eval", "--bogus", "1"}, "--bogus"}, Row{{"eval", "1", "2"}, "2"},
                           Row{{}, "subcommand"}, Row{{"eval", "-B"}, "-B"}}) {
        const CliRun run = Cli(row.args);
        std::string call;
        for (const std::string& a : row.args)
            call += " " + a;
        EXPECT_EQ(2, run.status) << "velastro-cli" << call;
        EXPECT_NE(std::string::npos, run.err.find(row.reason))
            << "velastro-cli" << call << " said: " << run.err;
        EXPECT_EQ("", run.out) << "velastro-cli" << call;
    }
}

TEST(CliEval, HelpExplainsAndSucceeds) {
    const CliRun run = Cli({"eval", "--help"});
    EXPECT_EQ(0, run.status);
    for (const char* word : {"--tsv", "-X", "-U", "Exit status", "standard input"}) {
        EXPECT_NE(std::string::npos, run.out.find(word)) << "help lacks " << word;
    }
}

}  // namespace
