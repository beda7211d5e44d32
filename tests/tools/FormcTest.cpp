// The form compiler run as a real process.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "platform/classes/TextForm.h"
#include "tests/support/TempDir.h"

namespace {

struct TRun {
    int Status = -1;
    std::string Output;   // standard output and standard error
};

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

TRun Formc(const std::string& args)
{
    TRun run;
    std::string command = Quote(RUPINAKO_BINARY_DIR "/tools/formc/formc") + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
        run.Output.append(buf, n);
    int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const char* const kForm = "object Form1: TForm1\n  Caption = 'ルピナコ'\n  Font.Style = [fsBold]\n  object B: TButton\n  end\nend\n";

TEST(FormcTest, CompilesATextFormAndBack)
{
    TempDir dir;
    std::string text = dir.WriteFile("form.txt", kForm);
    TRun compile = Formc(Quote(text) + " " + Quote(dir / "form.bin"));
    EXPECT_EQ(compile.Status, 0) << compile.Output;
    EXPECT_EQ(compile.Output, "");
    std::string binary = ReadFileBytes(dir / "form.bin");
    EXPECT_EQ(binary, ObjectTextToBinary(kForm));

    TRun back = Formc("--to-text " + Quote(dir / "form.bin") + " " + Quote(dir / "back.txt"));
    EXPECT_EQ(back.Status, 0) << back.Output;
    EXPECT_EQ(ReadFileBytes(dir / "back.txt"), PrintTextForm(ParseTextForm(kForm)));
}

TEST(FormcTest, ASyntaxErrorNamesFileAndLineAndKeepsTheOldOutput)
{
    TempDir dir;
    std::string text = dir.WriteFile("bad.txt", "object Form1: TForm1\n  Left = 1\n  Top 2\nend\n");
    std::string out = dir.WriteFile("bad.bin", "previous");
    TRun run = Formc(Quote(text) + " " + Quote(out));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Output, "formc: " + text + ": line 3: '=' expected, found number 2\n");
    EXPECT_EQ(ReadFileBytes(out), "previous");
}

TEST(FormcTest, FailuresExitWithOne)
{
    TempDir dir;
    TRun missing = Formc(Quote(dir / "none.txt") + " " + Quote(dir / "x.bin"));
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Output.find("formc: cannot read " + (dir / "none.txt")), std::string::npos) << missing.Output;

    std::string notBinary = dir.WriteFile("x.bin", "object A: TA\nend\n");
    TRun wrong = Formc("--to-text " + Quote(notBinary) + " " + Quote(dir / "x.txt"));
    EXPECT_EQ(wrong.Status, 1);
    EXPECT_EQ(wrong.Output, "formc: " + notBinary + ": Invalid form stream: signature TPF0 missing at byte 0\n");

    std::string text = dir.WriteFile("ok.txt", kForm);
    TRun unwritable = Formc(Quote(text) + " " + Quote(dir / "no/such/dir/x.bin"));
    EXPECT_EQ(unwritable.Status, 1);
    EXPECT_NE(unwritable.Output.find("formc: cannot write"), std::string::npos);

    TRun usage = Formc("only-one-argument");
    EXPECT_EQ(usage.Status, 1);
    EXPECT_NE(usage.Output.find("usage: formc"), std::string::npos);
}

}
