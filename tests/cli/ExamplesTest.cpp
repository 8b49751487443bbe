// The committed examples must come out of the tree's own programs byte for byte, and the
// program itself must behave at its real entry point.
#include "CliTestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Ran {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with extra environment entries ("NAME=value"), capturing both streams.
Ran RunProgram(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnv) {
    TempDir dir;
    const std::string outPath = (dir / "out").string();
    const std::string errPath = (dir / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> envStrings(extraEnv);
    for (char** e = environ; *e != nullptr; ++e) {
        envStrings.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (auto& e : envStrings) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    Ran ran;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return ran;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ran.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ran.out = FileText(outPath);
    ran.err = FileText(errPath);
    return ran;
}

const std::filesystem::path kExamples = TERMIX_EXAMPLES_DIR;

} // namespace

TEST(Examples, RegenerateByteForByte) {
    TempDir dir;
    const Ran made = RunProgram(MAKE_EXAMPLES_PATH, {(dir / "cold-room.logger").string()}, {});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(ReadAll(dir / "cold-room.logger"), ReadAll(kExamples / "cold-room.logger"));

    const Ran downloaded =
        RunProgram(TERMIX_CLI_PATH, {"download", "-o", (dir / "cold-room").string()},
                   {"TERMIX_SIMULATED_LOGGER=" + (dir / "cold-room.logger").string()});
    ASSERT_EQ(downloaded.exitCode, 0) << downloaded.err;
    EXPECT_EQ(downloaded.err, "");
    EXPECT_EQ(ReadAll(dir / "cold-room.rec0"), ReadAll(kExamples / "cold-room.rec0"));
    // A download leaves the logger's memory alone.
    EXPECT_EQ(ReadAll(dir / "cold-room.logger"), ReadAll(kExamples / "cold-room.logger"));
}

TEST(Examples, TheProgramAtItsEntryPoint) {
    const Ran info = RunProgram(TERMIX_CLI_PATH,
                                {"info", (kExamples / "cold-room.rec0").string(), "--json"}, {});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out,
              "{\"name\":\"Холодная камера\",\"start\":\"2015-03-02T09:00:00\","
              "\"periodSec\":60,\"count\":4320,\"unit\":\"C\",\"lowAlarm\":2,"
              "\"highAlarm\":8,\"min\":15,\"max\":119,\"axisTop\":400,\"axisBottom\":0}\n");

    TempDir dir;
    const Ran noLogger =
        RunProgram(TERMIX_CLI_PATH, {"download", "-o", (dir / "x").string()},
                   {"TERMIX_SIMULATED_LOGGER=" + (dir / "absent.logger").string()});
    EXPECT_EQ(noLogger.exitCode, 1);
    EXPECT_NE(noLogger.err.find("Подключение невозможно. Убедитесь, что логгер подключен к ПК и "
                                "повторите снова ."),
              std::string::npos)
        << noLogger.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.rec0"));

    const Ran bad = RunProgram(TERMIX_CLI_PATH, {"download", "--out", "x"}, {});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("«--out»"), std::string::npos) << bad.err;

    const Ran help = RunProgram(TERMIX_CLI_PATH, {"--help"}, {});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("info FILE [--json]"), std::string::npos);
}
