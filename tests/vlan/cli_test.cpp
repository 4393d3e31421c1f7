// lenscout-cli as a user runs it, against the simulator on the virtual LAN:
// host 1 plays cameras on its own address (192.168.77.11), one HTTP port each.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <thread>

#include "platform/socket.h"
#include "support/sim_process.h"
#include "support/tool_process.h"
#include "support/vlan_link.h"

namespace lenscout {
namespace {

using test::runTool;
using test::ToolResult;

const char kPassword[] = "s3cret-Pw";

class Cli : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::string(std::getenv("LENSCOUT_VLAN_DIR")) + "/cli-uploads";
        mkdir(dir_.c_str(), 0700);
        const std::string host = std::getenv("LENSCOUT_HOST_ADDR_1");
        // Twenty-one cameras out of the box, all at one factory address, as
        // real ones take a setting: 1 to 3 s after they accepted it, and
        // the last one reboots for 10 to 12 s before it answers again.
        const std::string factory = "ip=192.168.77.64,port=8090,settle=1000-3000,password=" + std::string(kPassword);
        std::vector<std::string> args = {
            "--upload-dir", dir_,    "--delay", "0-5",      "--count",
            "20",           "--set", factory,   "--camera", "id=CAM000021," + factory + ",set-reboot=10-12"};
        const char* const cameras[] = {
            "id=NET-OK,port=8001",
            "id=NET-BAD,port=8002",
            "id=NET-MUTE,port=8003,authfail=-1",
            "id=UP-1,port=8011",
            "id=UP-2,port=8012,upload=busy",
            "id=UP-3,port=8013",
            "id=PW,port=8021",
            "id=NET-R1,port=8031,authfail=1",
            "id=NET-R6,port=8032,authfail=6",
            // "\x1b]2;owned\x07\x1b[2J": retitles the window and clears the screen.
            "id=ESC,port=8041,name-hex=1b5d323b6f776e6564071b5b324a",
            "id=UP-LAST,port=8014,upload=reset-last",
            "id=UP-SLOW,port=8015,upload=slow-2500",
            "id=UP-LOGIN,port=8016,upload=login-refused",
            // For provisioning: three that take a plan, one that refuses it,
            // one that ignores it and one that takes it late.
            "id=PV-1,port=8093,settle=1000-3000",
            "id=PV-2,port=8094,settle=1000-3000",
            "id=PV-3,port=8095,settle=1000-3000",
            "id=PV-NO,port=8096,password=other,authfail=5",
            "id=PV-MUTE,port=8097,password=other,authfail=-1",
            "id=PV-LATE,port=8098,settle=1500",
            // Reboot after an image: at a new version, or the old one.
            "id=WV-1,port=8071,reboot=1,next-version=1.2.3.5",
            "id=WV-2,port=8072,reboot=1",
            // 前门1: an ID that a plan in UTF-8 names whatever the locale.
            "id-hex=c7b0c3c531,port=8062",
            // Gate, "A" 前门: a comma, quotes and GBK.
            "id=INV-1,port=8061,name-hex=476174652c2022412220c7b0c3c5,mask=255.255.255.0,gateway=192.168.77.1,"
            "dns=192.168.77.2,firmware=1.2.3.4,webui=2.0.1.7",
        };
        for (const char* c : cameras) {
            args.push_back("--camera");
            const std::string settings(c);
            args.push_back(
                settings + ",ip=" + host +
                (settings.find("password=") == std::string::npos ? ",password=" + std::string(kPassword) : ""));
        }
        // In none of this computer's subnets.
        args.push_back("--camera");
        args.push_back("id=FAR-1,port=8051,ip=10.9.8.7,password=" + std::string(kPassword));
        sim_ = new test::SimProcess(1, args);
    }
    static void TearDownTestSuite() { delete sim_; }

    static std::string cli() { return std::getenv("LENSCOUT_CLI"); }
    static std::map<std::string, std::string> withPassword(const std::string& password = kPassword) {
        return {{"LENSCOUT_PASSWORD", password}, {"LC_ALL", "C.UTF-8"}};
    }
    // The set-network requests that reached the simulator for this camera.
    static std::vector<std::string> requestsFor(const std::string& id) {
        std::vector<std::string> found;
        for (const std::string& line : sim_->logLines())
            if (line.find(" cmd=2 ") != std::string::npos && line.find("id=" + id) != std::string::npos)
                found.push_back(line);
        return found;
    }
    static std::string hexIn(const std::string& line) {
        const size_t at = line.find(" hex=");
        return line.substr(at + 5, line.find(' ', at + 5) - at - 5);
    }
    static std::string writeImage(const std::string& name, size_t size, const char* mark) {
        const std::string path = dir_ + "/" + name;
        std::ofstream out(path, std::ios::binary);
        for (size_t i = 0; i < size; ++i) out.put(i < 4 ? mark[i] : static_cast<char>((i * 13 + i / 977) & 0xff));
        return path;
    }

    static test::SimProcess* sim_;
    static std::string dir_;
};
test::SimProcess* Cli::sim_ = nullptr;
std::string Cli::dir_;

TEST_F(Cli, SetNetworkSendsTheValuesGivenAndSucceedsOnTheCamerasAnswer) {
    ASSERT_TRUE(sim_->ok());
    const ToolResult r = runTool(cli(),
                                 {"set-network", "--id", "NET-OK", "--ip", "192.168.77.60", "--mask", "255.255.0.0",
                                  "--gateway", "192.168.1.254", "--dns", "9.9.9.9", "--http-port", "8081"},
                                 withPassword());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("id=\"NET-OK\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ip=192.168.77.60 mask=255.255.0.0 gateway=192.168.1.254 dns=9.9.9.9 port=8081"),
              std::string::npos)
        << r.out;
    const auto requests = requestsFor("NET-OK");
    ASSERT_EQ(requests.size(), 1u);
    // clang-format off
    EXPECT_EQ(hexIn(requests[0]), "4d4f5f49" "0200" "00" "0000000000000000" "3d000000" "3d000000"
                                  "00000001"
                                  "4e45542d4f4b" "00000000000000"          // "NET-OK", 13 bytes
                                  "61646d696e" "0000000000000000"          // "admin"
                                  "7333637265742d5077" "00000000"          // "s3cret-Pw"
                                  "c0a84d3c" "ffff0000" "c0a801fe" "09090909"
                                  "1f91");
    // clang-format on
}

TEST_F(Cli, SetNetworkRefusalsAndIllegalValues) {
    ASSERT_TRUE(sim_->ok());
    // A wrong password: the camera answers with its refusal code.
    ToolResult r =
        runTool(cli(), {"set-network", "--id", "NET-BAD", "--dhcp", "--http-port", "8082"}, withPassword("wrong"));
    EXPECT_EQ(r.status, 5);
    EXPECT_NE(r.err.find("NET-BAD: Incorrect user or password !"), std::string::npos) << r.err;
    EXPECT_EQ(requestsFor("NET-BAD").size(), 1u);

    // An illegal mask is refused by the dialog's rule, and nothing is sent,
    // whether or not the other fields were given.
    const size_t sentBefore = requestsFor("NET-OK").size();
    for (const std::vector<std::string>& fields :
         {std::vector<std::string>{"--mask", "255.0.255.0"},
          std::vector<std::string>{"--ip", "192.168.77.70", "--mask", "255.255.255.1", "--gateway", "192.168.77.1",
                                   "--dns", "192.168.77.1", "--http-port", "80"}}) {
        std::vector<std::string> args = {"set-network", "--id", "NET-OK"};
        args.insert(args.end(), fields.begin(), fields.end());
        r = runTool(cli(), args, withPassword());
        EXPECT_EQ(r.status, 3);
        EXPECT_NE(r.err.find("The Subnet Mask setting is illegal !"), std::string::npos) << r.err;
    }
    EXPECT_EQ(requestsFor("NET-OK").size(), sentBefore) << "nothing was sent";

    // The messages follow --lang.
    r = runTool(cli(), {"set-network", "--id", "NET-OK", "--http-port", "10000", "--lang", "2"}, withPassword());
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err.find("HTTP Port"), std::string::npos) << r.err;
    // German, in UTF-8 (ü is C3 BC), whatever the camera's GBK could hold.
    r = runTool(cli(), {"set-network", "--id", "NET-OK", "--http-port", "10000", "--lang", "4"}, withPassword());
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("Der HTTP-Port ist ung\xc3\xbcltig!"), std::string::npos) << r.err;

    r = runTool(cli(), {"set-network", "--id", "NO-SUCH", "--dhcp", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("NO-SUCH"), std::string::npos);
    EXPECT_EQ(requestsFor("NO-SUCH").size(), 0u);
}

// A camera that takes the request but neither answers nor applies it: no
// success without its reply carrying the settings.
TEST_F(Cli, SetNetworkWithoutTheCamerasAnswerTimesOut) {
    ASSERT_TRUE(sim_->ok());
    const ToolResult r = runTool(cli(), {"set-network", "--id", "NET-MUTE", "--http-port", "8090", "--wait", "4"},
                                 withPassword("not-its-password"));
    EXPECT_EQ(r.status, 6);
    EXPECT_NE(r.err.find("NET-MUTE: Time out !"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(Cli, UploadToThreeAtOnceWithOneBusy) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("fw.bin", 300 * 1024 + 77, "BNEG");
    const ToolResult r = runTool(
        cli(), {"upload", "--kind", "system", image, "--id", "UP-1", "--id", "UP-2", "--id", "UP-3", "--jobs", "3"},
        withPassword());
    EXPECT_EQ(r.status, 1) << "one camera failed";
    const std::string sent = test::fileText(image);
    EXPECT_EQ(test::fileText(dir_ + "/UP-1-firmware.bin"), sent);
    EXPECT_EQ(test::fileText(dir_ + "/UP-3-firmware.bin"), sent);
    EXPECT_EQ(test::fileText(dir_ + "/UP-2-firmware.bin"), "");
    EXPECT_NE(r.out.find("UP-2"), std::string::npos);
    EXPECT_NE(r.out.find("The camera is busy now !"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("UP-1: firmware 1.2.3.4, web UI 2.0.1.7"), std::string::npos) << r.out;
    // Off a terminal: plain lines every 10 %, ending at 100 % for both.
    EXPECT_NE(r.err.find("UP-1: 100% (300.1 KiB of 300.1 KiB)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("UP-3: 100%"), std::string::npos) << r.err;
}

TEST_F(Cli, UploadChecksTheImageBeforeAnyConnection) {
    ASSERT_TRUE(sim_->ok());
    const std::string webUi = writeImage("webui-not-firmware.bin", 4096, "XNEG");
    ToolResult r = runTool(cli(), {"upload", "--kind", "system", webUi, "--id", "UP-1"}, withPassword());
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("Error file of System Firmware !"), std::string::npos) << r.err;
    r = runTool(cli(), {"upload", "--kind", "webui", dir_ + "/missing.bin", "--id", "UP-1"}, withPassword());
    EXPECT_EQ(r.status, 3);
    for (const std::string& line : sim_->logLines()) EXPECT_EQ(line.find("webui-not-firmware"), std::string::npos);
}

// Read from a file or the environment, the password shows neither in the
// process's arguments nor in anything it prints.
TEST_F(Cli, ThePasswordStaysOutOfArgumentsAndOutput) {
    ASSERT_TRUE(sim_->ok());
    const std::string file = dir_ + "/password";
    std::ofstream(file) << kPassword << "\n";
    chmod(file.c_str(), 0600);
    // A camera that never answers keeps the process alive to be looked at.
    test::ToolProcess waiting(cli(),
                              {"set-network", "--id", "ABSENT", "--dhcp", "--password-file", file, "--search", "2"},
                              {{"LC_ALL", "C.UTF-8"}});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::string cmdline = test::fileText("/proc/" + std::to_string(waiting.pid()) + "/cmdline");
    EXPECT_NE(cmdline.find("--password-file"), std::string::npos) << "the process was still running";
    EXPECT_EQ(cmdline.find(kPassword), std::string::npos);
    EXPECT_EQ(waiting.finish().status, 4);

    ToolResult r = runTool(cli(), {"set-network", "--id", "PW", "--http-port", "8099", "--password-file", file},
                           {{"LC_ALL", "C.UTF-8"}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ((r.out + r.err).find(kPassword), std::string::npos);

    r = runTool(cli(), {"set-network", "--id", "PW", "--http-port", "8098", "--password-file", "-"},
                {{"LC_ALL", "C.UTF-8"}}, std::string(kPassword) + "\n");
    EXPECT_EQ(r.status, 0) << r.err;
    r = runTool(cli(), {"set-network", "--id", "PW", "--dhcp", "--json"}, withPassword());
    EXPECT_EQ(r.status, 7) << r.err;
    EXPECT_EQ((r.out + r.err).find(kPassword), std::string::npos);
    // With no source and no terminal there is no password to be had, and
    // nothing is sent.
    const size_t before = requestsFor("PW").size();
    r = runTool(cli(), {"set-network", "--id", "PW", "--dhcp"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("LENSCOUT_PASSWORD"), std::string::npos) << r.err;
    EXPECT_EQ(requestsFor("PW").size(), before);
}

// On a terminal (script(1) gives one): the password is asked for without
// echo, and the progress is a live summary over a line per camera at work.
TEST_F(Cli, OnATerminal) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("tty.bin", 2 << 20, "BNEG");
    const std::string command = cli() + " upload --kind system " + image + " --id UP-1 --id UP-3 --jobs 2";
    // The password is typed once the prompt is up; it travels in the
    // environment of the shell, never in an argument.
    const ToolResult r =
        runTool("/bin/bash", {"-c", "(sleep 1; printf '%s\\n' \"$PW\") | script -qefc \"$0\" /dev/null", command},
                {{"PW", kPassword}, {"LC_ALL", "C.UTF-8"}});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("Password: "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(kPassword), std::string::npos) << "echoed";
    EXPECT_NE(r.out.find("\x1b["), std::string::npos) << "no live redrawing";
    EXPECT_NE(r.out.find("2 cameras: 2 uploaded, 0 failed, 0 running, 0 waiting; 4.0 MiB of 4.0 MiB"),
              std::string::npos)
        << r.out;
}

// The credentials are cut as the dialogs cut them: GBK, at most 11 bytes,
// never half a character.
TEST_F(Cli, CredentialsGoOutAsTheDialogsSendThem) {
    ASSERT_TRUE(sim_->ok());
    const ToolResult r =
        runTool(cli(),
                {"set-network", "--id", "NET-BAD", "--http-port", "8083", "--user",
                 "\xe7\xae\xa1\xe7\x90\x86\xe5\x91\x98-admin", "--wait", "1"},
                withPassword("\xe5\xaf\x86\xe7\xa0\x81\xe5\xaf\x86\xe7\xa0\x81\xe5\xaf\x86\xe7\xa0\x81x"));
    EXPECT_EQ(r.status, 5);
    const auto requests = requestsFor("NET-BAD");
    ASSERT_FALSE(requests.empty());
    const std::string hex = hexIn(requests.back());
    // 管理员-admin: 6 GBK bytes and 5 more, the 11 that fit.
    EXPECT_EQ(hex.substr(2 * (23 + 17), 26), "b9dcc0edd4b12d61646d690000");
    // 密码密码密码x: five characters fit, the sixth would need a twelfth byte.
    EXPECT_EQ(hex.substr(2 * (23 + 30), 26), "c3dcc2ebc3dcc2ebc3dc000000");
}

// Line-oriented monitors read each line as it happens: also through a pipe,
// where the C library would otherwise hold the lines back until the end.
TEST_F(Cli, ScanLinesLeaveAsTheyHappenEvenIntoAPipe) {
    ASSERT_TRUE(sim_->ok());
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((cli() + " scan --seconds 6 --ticks").c_str(), "r"), pclose);
    ASSERT_TRUE(pipe);
    char line[1024];
    ASSERT_NE(std::fgets(line, sizeof line, pipe.get()), nullptr);
    const auto first = Clock::now() - start;
    while (std::fgets(line, sizeof line, pipe.get())) {}
    EXPECT_LT(first, std::chrono::seconds(3)) << "the first line came only at the end of a 6 s run";
}

// --period sets how often scan searches; without it, the desktops' setting
// in the user's settings file does.
TEST_F(Cli, ScanSearchesAtTheChosenPeriod) {
    ASSERT_TRUE(sim_->ok());
    const auto ticks = [](const std::string& out) {
        size_t n = 0;
        for (size_t at = out.find("\"event\":\"tick\""); at != std::string::npos;
             at = out.find("\"event\":\"tick\"", at + 1))
            ++n;
        return n;
    };
    ToolResult r = runTool(cli(), {"scan", "--seconds", "3", "--ticks", "--json", "--period", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_GE(ticks(r.out), 3u) << r.out;
    const std::string config = dir_ + "/config";
    mkdir(config.c_str(), 0700);
    mkdir((config + "/lenscout").c_str(), 0700);
    std::ofstream(config + "/lenscout/lenscout.cfg") << "search_period=10";
    r = runTool(cli(), {"scan", "--seconds", "3", "--ticks", "--json"}, {{"XDG_CONFIG_HOME", config}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ticks(r.out), 1u) << r.out;
}

// Each of the cameras' refusal codes, 1, 5 and 6, is the system's "Incorrect
// user or password !" and exit status 5.
TEST_F(Cli, EveryRefusalCodeIsARefusal) {
    ASSERT_TRUE(sim_->ok());
    for (const char* id : {"NET-R1", "NET-BAD", "NET-R6"}) {
        const ToolResult r =
            runTool(cli(), {"set-network", "--id", id, "--http-port", "8085", "--wait", "2", "--lang", "1"},
                    withPassword("no"));
        EXPECT_EQ(r.status, 5) << id << r.err;
        EXPECT_NE(r.err.find(std::string(id) + ": Incorrect user or password !"), std::string::npos) << r.err;
    }
}

// Success only with the new settings: a camera that silently ignores the
// request keeps answering with its old addresses on the same port, and has
// not taken them.
TEST_F(Cli, OldAddressesOnTheSamePortAreNoConfirmation) {
    ASSERT_TRUE(sim_->ok());
    const ToolResult r = runTool(cli(), {"set-network", "--id", "NET-MUTE", "--ip", "192.168.77.200", "--wait", "2"},
                                 withPassword("not-its-password"));
    EXPECT_EQ(r.status, 6) << r.out << r.err;
    EXPECT_EQ(r.out, "");
}

// Cameras that do not answer: exit status 4, for an upload whose only
// failures they are, and for set-network.
TEST_F(Cli, CamerasThatDoNotAnswerAreNotFound) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("nobody.bin", 4096, "BNEG");
    ToolResult r =
        runTool(cli(), {"upload", "--kind", "system", image, "--id", "NOBODY", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 4) << r.out << r.err;
    r = runTool(cli(), {"set-network", "--id", "NOBODY", "--dhcp", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 4) << r.err;
}

// A camera cannot show that it took DHCP: the request is reported sent,
// not confirmed, with a status of its own; a refusal is still one.
TEST_F(Cli, DhcpIsSentButNotConfirmed) {
    ASSERT_TRUE(sim_->ok());
    ToolResult r = runTool(cli(), {"set-network", "--id", "PW", "--dhcp"}, withPassword());
    EXPECT_EQ(r.status, 7) << r.err;
    EXPECT_NE(r.err.find("PW: sent, not confirmed"), std::string::npos) << r.err;
    r = runTool(cli(), {"set-network", "--id", "NET-R1", "--dhcp", "--wait", "2"}, withPassword("no"));
    EXPECT_EQ(r.status, 5) << r.err;
}

// "Uploaded" means the camera has the image: one that breaks off at the
// last block is a failure, though every byte left this computer. The report
// names the image by its size and SHA-256, and JSON gives a reason code.
TEST_F(Cli, AnUploadCountsOnlyWhenTheCameraHasIt) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("last.bin", 2 << 20, "BNEG");
    ToolResult r = runTool(cli(), {"upload", "--kind", "system", image, "--id", "UP-LAST"}, withPassword());
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out.find("uploaded"), std::string::npos) << r.out;
    const ToolResult digest = runTool("/usr/bin/sha256sum", {image});
    const std::string sha = digest.out.substr(0, 64);
    EXPECT_NE(r.out.find("image " + image + ": 2097152 bytes, SHA-256 " + sha + "\n"), std::string::npos) << r.out;
    r = runTool(cli(), {"upload", "--kind", "system", image, "--id", "UP-LAST", "--json"}, withPassword());
    EXPECT_TRUE(r.out.find("\"reason\":\"broken-off\"") != std::string::npos ||
                r.out.find("\"reason\":\"socket-error\"") != std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"image\":{\"bytes\":2097152,\"sha256\":\"" + sha + "\"}"), std::string::npos) << r.out;
}

// A refused login is the documented 5; a camera outside every local subnet
// is not tried at all, and says why.
TEST_F(Cli, ARefusedLoginAndACameraElsewhere) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("refused.bin", 8192, "BNEG");
    ToolResult r = runTool(cli(), {"upload", "--kind", "system", image, "--id", "UP-LOGIN", "--json"}, withPassword());
    EXPECT_EQ(r.status, 5) << r.out << r.err;
    EXPECT_NE(r.out.find("\"reason\":\"login-refused\""), std::string::npos) << r.out;
    r = runTool(cli(), {"upload", "--kind", "system", image, "--id", "FAR-1"}, withPassword());
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("in another subnet, not tried"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("FAR-1: in none of this computer's subnets"), std::string::npos) << r.err;
    for (const std::string& line : sim_->logLines()) EXPECT_EQ(line.find("upload id=FAR-1"), std::string::npos);
}

// What is no image is refused at once: a FIFO would wait for ever.
TEST_F(Cli, FilesThatAreNoImage) {
    ASSERT_TRUE(sim_->ok());
    const std::string fifo = dir_ + "/fifo.bin";
    mkfifo(fifo.c_str(), 0600);
    const auto start = std::chrono::steady_clock::now();
    ToolResult r = runTool(cli(), {"upload", "--kind", "system", fifo, "--id", "UP-1"}, withPassword());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("Not a regular file !"), std::string::npos) << r.err;
    r = runTool(cli(), {"upload", "--kind", "system", dir_, "--id", "UP-1"}, withPassword());
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("This is a folder, not a file !"), std::string::npos) << r.err;
}

// The first Ctrl-C lets the running upload finish, starts no other, and
// prints the table with the rest interrupted; a second one ends it at once.
TEST_F(Cli, CtrlCFinishesWhatRunsAndReports) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("stop.bin", 64 * 1024, "BNEG");
    const std::vector<std::string> args = {"upload",  "--kind", "system", image,    "--id",
                                           "UP-SLOW", "--id",   "UP-3",   "--jobs", "1"};
    {
        test::ToolProcess run(cli(), args, withPassword());
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        kill(run.pid(), SIGINT);
        const ToolResult r = run.finish(20000);
        EXPECT_EQ(r.status, 130) << r.out << r.err;
        EXPECT_NE(r.out.find("uploaded"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("interrupted"), std::string::npos) << r.out;
        EXPECT_NE(r.err.find("interrupted: the running uploads finish"), std::string::npos) << r.err;
    }
    test::ToolProcess run(cli(), args, withPassword());
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    kill(run.pid(), SIGINT);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    kill(run.pid(), SIGINT);
    const auto start = std::chrono::steady_clock::now();
    const ToolResult r = run.finish(20000);
    EXPECT_EQ(r.status, -1) << "ended by the second signal";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Ctrl-C at the password prompt ends the program and leaves the terminal
// as it was: echo on.
TEST_F(Cli, CtrlCAtThePromptGivesTheEchoBack) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("prompt.bin", 4096, "BNEG");
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::unsetenv("LENSCOUT_PASSWORD");
        const std::string program = cli();
        execl(program.c_str(), program.c_str(), "upload", "--kind", "system", image.c_str(), "--id", "UP-1",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string seen;
    char buffer[256];
    for (int i = 0; i < 100 && seen.find("Password: ") == std::string::npos; ++i) {
        pollfd p{terminal, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        const ssize_t n = read(terminal, buffer, sizeof buffer);
        if (n > 0) seen.append(buffer, static_cast<size_t>(n));
    }
    ASSERT_NE(seen.find("Password: "), std::string::npos) << seen;
    termios during{};
    tcgetattr(terminal, &during);
    EXPECT_FALSE(during.c_lflag & ECHO) << "the prompt turned the echo off";
    kill(child, SIGINT);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    termios after{};
    tcgetattr(terminal, &after);
    EXPECT_TRUE(after.c_lflag & ECHO);
    close(terminal);
}

// The inventory: every camera once, in RFC 4180 CSV with a header row, or
// JSON, with the interface and local address it was heard on.
TEST_F(Cli, InventoryListsEveryCameraAsCsvOrJson) {
    ASSERT_TRUE(sim_->ok());
    const std::string host = std::getenv("LENSCOUT_HOST_ADDR_1");
    ToolResult r = runTool(cli(), {"inventory", "--search", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("id,name,ip,mask,gateway,dns,http_port,firmware,webui,same_subnet,interface,local_address,"
                          "sender,conflict,conflict_sender,conflict_ip\r\n",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("\r\nINV-1,\"Gate, \"\"A\"\" 前门\"," + host +
                         ",255.255.255.0,192.168.77.1,192.168.77.2,8061,1.2.3.4,2.0.1.7,yes,lan0,192.168.77.1," + host +
                         ",no,,\r\n"),
              std::string::npos)
        << r.out;
    size_t rows = 0;
    for (size_t at = 0; (at = r.out.find("\r\n", at)) != std::string::npos; at += 2) ++rows;
    EXPECT_EQ(rows, 1u + 45u) << "the header and each camera once";
    r = runTool(cli(), {"inventory", "--json", "--search", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("{\"id\":\"INV-1\",\"name\":\"Gate, \\\"A\\\" 前门\",\"ip\":\"" + host +
                         "\",\"mask\":\"255.255.255.0\",\"gateway\":\"192.168.77.1\",\"dns\":\"192.168.77.2\","
                         "\"http_port\":8061,\"firmware\":\"1.2.3.4\",\"webui\":\"2.0.1.7\",\"same_subnet\":true,"
                         "\"interface\":\"lan0\",\"local_address\":\"192.168.77.1\",\"sender\":\"" +
                         host + "\",\"conflict\":false,\"conflict_sender\":\"\",\"conflict_ip\":\"\"}"),
              std::string::npos)
        << r.out;
}

// The journal: an attempt line before each change and an outcome line
// after it, with the run, the camera's old and planned values, never the
// password; two runs at once append whole lines.
TEST_F(Cli, TheJournalRecordsEachChangeWithoutThePassword) {
    ASSERT_TRUE(sim_->ok());
    const std::string journal = dir_ + "/journal.jsonl";
    std::remove(journal.c_str());
    ToolResult r =
        runTool(cli(), {"set-network", "--id", "PW", "--http-port", "8097", "--journal", journal}, withPassword());
    EXPECT_EQ(r.status, 0) << r.err;
    std::string text = test::fileText(journal);
    for (const char* event : {"attempt", "outcome"})
        EXPECT_NE(
            text.find("\"command\":\"set-network\",\"event\":\"" + std::string(event) + "\",\"id\":\"PW\",\"ip\":\"" +
                      std::string(std::getenv("LENSCOUT_HOST_ADDR_1")) + "\",\"old\":{\"dhcp\":\"unknown\","),
            std::string::npos)
            << text;
    EXPECT_NE(text.find(",\"http_port\":8097},\"outcome\":\"confirmed\"}\n"), std::string::npos) << text;
    EXPECT_EQ(text.rfind("{\"time\":\"20", 0), 0u) << text;
    const size_t run = text.find("\"run\":\"");
    ASSERT_NE(run, std::string::npos) << text;
    EXPECT_NE(text.find(text.substr(run, 30), run + 1), std::string::npos) << "both lines carry the run: " << text;

    const std::string image = writeImage("journal.bin", 5000, "BNEG");
    const std::string sha = runTool("/usr/bin/sha256sum", {image}).out.substr(0, 64);
    test::ToolProcess one(cli(), {"upload", "--kind", "system", image, "--id", "UP-1", "--journal", journal},
                          withPassword());
    test::ToolProcess two(cli(), {"upload", "--kind", "system", image, "--id", "UP-3", "--journal", journal},
                          withPassword());
    EXPECT_EQ(one.finish().status, 0);
    EXPECT_EQ(two.finish().status, 0);
    text = test::fileText(journal);
    EXPECT_EQ(text.find(kPassword), std::string::npos);
    size_t lines = 0;
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1, ++lines) {
        const std::string line = text.substr(at, end - at);
        EXPECT_EQ(line.front(), '{') << line;
        EXPECT_EQ(line.back(), '}') << line;
    }
    EXPECT_EQ(lines, 6u);
    EXPECT_NE(text.find("\"planned\":{\"kind\":\"system\",\"image\":\"" + image + "\",\"bytes\":5000,\"sha256\":\"" +
                        sha + "\"},\"outcome\":\"uploaded\"}"),
              std::string::npos)
        << text;
    r = runTool(cli(), {"set-network", "--id", "PW", "--http-port", "8096", "--no-journal"}, withPassword());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(test::fileText(journal), text);
}

// Firmware for a fleet: --confirm counts a camera once it answers again
// with a new version; one at its old version fails; one already at the
// expected version is skipped; a failed wave holds back the next.
TEST_F(Cli, WavesAndConfirmedVersions) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("wave.bin", 8192, "BNEG");
    const std::vector<std::string> upload = {"upload", "--kind", "system", image, "--json"};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> args = upload;
        args.insert(args.end(), more.begin(), more.end());
        return runTool(cli(), args, withPassword());
    };
    ToolResult r = with({"--id", "WV-1", "--confirm", "--reboot-wait", "10", "--expect-version", "1.2.3.5"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("\"id\":\"WV-1\",\"outcome\":\"uploaded\""), std::string::npos) << r.out;
    r = with({"--id", "WV-2", "--confirm", "--reboot-wait", "10"});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("\"reason\":\"old-version\",\"message\":\"came back at the old version 1.2.3.4\""),
              std::string::npos)
        << r.out;
    r = with({"--id", "WV-1", "--expect-version", "1.2.3.5"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("\"id\":\"WV-1\",\"outcome\":\"skipped\""), std::string::npos) << r.out;
    r = with({"--wave", "1", "--id", "UP-2", "--id", "UP-1"});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("\"id\":\"UP-1\",\"outcome\":\"held\""), std::string::npos) << r.out;
}

// A provisioning plan is checked whole before anything is sent: an illegal
// row, an address planned twice, one that another camera keeps (whatever
// the order of the rows), a gateway's or a broadcast address, a misspelt
// column and a camera that does not answer each stop it.
TEST_F(Cli, APlanWithAnyFaultSendsNothing) {
    ASSERT_TRUE(sim_->ok());
    const std::string plan = dir_ + "/bad-plan.csv";
    auto requests = [] {
        size_t n = 0;
        for (const std::string& line : sim_->logLines()) n += line.find(" cmd=2 ") != std::string::npos;
        return n;
    };
    const size_t before = requests();
    const struct {
        const char* rows;
        int status;
        const char* message;
    } cases[] = {
        {"CAM000001,192.168.77.151\nCAM000002,300.1.1.1\n", 3,
         "line 3: CAM000002: The IP Address setting is illegal !"},
        {"CAM000001,192.168.77.151\nCAM000002,192.168.77.151\n", 3,
         "line 2: CAM000001: 192.168.77.151 would be held by 2 devices once the plan is done: CAM000001, CAM000002"},
        {"CAM000001,192.168.77.11\n", 3, "192.168.77.11 would be held by"},
        {"CAM000001,192.168.77.11\nNET-OK,\n", 3, "line 2: CAM000001: 192.168.77.11 would be held by"},
        {"NET-OK,\nCAM000001,192.168.77.11\n", 3, "line 3: CAM000001: 192.168.77.11 would be held by"},
        // This computer is the cameras' gateway here: that comes first.
        {"CAM000001,192.168.77.1\n", 3, "line 2: CAM000001: 192.168.77.1 is its gateway's address"},
        {"CAM000001,192.168.77.9\nCAM000002,192.168.77.255\n", 3,
         "line 3: CAM000002: 192.168.77.255 is the network's broadcast address"},
        {"CAM000001,192.168.77.151\nNOBODY,192.168.77.152\n", 4, "line 3: NOBODY: did not answer the search"},
    };
    std::ofstream(plan) << "id,new_ip\nCAM000001,192.168.77.151\n";
    ToolResult r = runTool(cli(), {"provision", plan, "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("unknown column \"new_ip\""), std::string::npos) << r.err;
    for (const auto& c : cases) {
        std::ofstream(plan) << "id,ip\n" << c.rows;
        const ToolResult refused = runTool(cli(), {"provision", plan, "--search", "1"}, withPassword());
        EXPECT_EQ(refused.status, c.status) << c.rows << refused.err;
        EXPECT_NE(refused.err.find(c.message), std::string::npos) << refused.err;
        EXPECT_NE(refused.err.find("nothing was sent"), std::string::npos) << refused.err;
    }
    // A spreadsheet's plan: a byte-order mark, semicolons, CRLF, capitals.
    std::ofstream(plan) << "\xEF\xBB\xBFID;IP\r\nCAM000001;192.168.77.151\r\n;\r\n";
    r = runTool(cli(), {"provision", plan, "--dry-run", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("CAM000001  192.168.77.64 mask 255.255.255.0 gw 192.168.77.1 dns 192.168.77.1 :8090 -> "
                         "192.168.77.151 mask 255.255.255.0 gw 192.168.77.1 dns 192.168.77.1 :8090  would-change"),
              std::string::npos)
        << r.out;
    // The other cameras stay at the factory address: said, not refused.
    EXPECT_NE(r.err.find("warning: 192.168.77.64 is still shared by 20 cameras once the plan is done: CAM000002, "
                         "CAM000003, CAM000004, CAM000005, CAM000006 and 15 more\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(requests(), before);
}

// Twenty-one cameras at one factory address, each to an address of its
// own, each confirmed by its answer though it takes seconds, one of them
// after a reboot, with the default options; the same plan again changes
// nothing.
TEST_F(Cli, CamerasAtOneFactoryAddressAreProvisionedAsTheyTakeTheirTime) {
    ASSERT_TRUE(sim_->ok());
    const std::string plan = dir_ + "/plan.csv";
    {
        std::ofstream out(plan);
        out << "id,name,ip,mask,gateway,dns,http_port,dhcp\r\n";
        for (int i = 1; i <= 21; ++i) {
            char id[16];
            std::snprintf(id, sizeof id, "CAM%06d", i);
            out << id << ",\"any, name\",192.168.77." << 150 + i << ",,,,,no\r\n";
        }
    }
    ToolResult r = runTool(cli(), {"provision", plan, "--search", "2"}, withPassword());
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    size_t confirmed = 0;
    for (size_t at = 0; (at = r.out.find("  confirmed\n", at)) != std::string::npos; at += 10) ++confirmed;
    EXPECT_EQ(confirmed, 21u) << r.out;
    // The first request went alone; then the rest at once, not one by one.
    const std::vector<std::string> first = requestsFor("CAM000001"), last = requestsFor("CAM000020");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(last.size(), 1u);
    const long long gap = std::stoll(last[0]) - std::stoll(first[0]);
    EXPECT_GE(gap, 900) << "the window opens once the first was not refused";
    EXPECT_LT(gap, 3000) << "and does not wait for each camera in turn";
    EXPECT_NE(r.out.find("CAM000020  192.168.77.64 mask 255.255.255.0 gw 192.168.77.1 dns 192.168.77.1 :8090 -> "
                         "192.168.77.170 "),
              std::string::npos)
        << r.out;
    const size_t sent = requestsFor("CAM000007").size();
    r = runTool(cli(), {"provision", plan, "--json", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out.find("confirmed"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\"id\":\"CAM000007\",\"line\":8,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"outcome\":\"unchanged\""), std::string::npos) << r.out;
    EXPECT_EQ(requestsFor("CAM000007").size(), sent);
}

// A result code names no camera: a refusal among several at one address is
// tried again alone, so that the table names the camera that refused, and
// only that one. By default the first refused login stops the run, and the
// first request goes alone, so that a mistyped password reaches one camera.
// A camera that ignores the request is not confirmed.
TEST_F(Cli, ARefusalAmongManyIsPinnedOnTheRightCamera) {
    ASSERT_TRUE(sim_->ok());
    const std::string plan = dir_ + "/refusal.csv";
    std::ofstream(plan) << "id,http_port\nPV-1,8293\nPV-2,8294\nPV-3,8295\n";
    ToolResult r = runTool(cli(), {"provision", plan, "--search", "1", "--progress", "json"}, withPassword("mistyped"));
    EXPECT_EQ(r.status, 5) << r.out << r.err;
    EXPECT_NE(r.err.find("{\"event\":\"sent\",\"id\":\"PV-1\"}\n{\"event\":\"ended\",\"id\":\"PV-1\",\"outcome\":"
                         "\"refused\"}\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("stopped at the first refused login"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("PV-1  "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  refused\n"), std::string::npos) << r.out;
    EXPECT_EQ(requestsFor("PV-2").size() + requestsFor("PV-3").size(), 0u) << r.out;
    EXPECT_NE(r.out.find("  not-sent\n"), std::string::npos) << r.out;

    std::ofstream(plan) << "id,http_port\nPV-1,8193\nPV-NO,8196\nPV-2,8194\nPV-3,8195\n";
    r = runTool(cli(), {"provision", plan, "--max-failures", "1", "--wait", "6", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 5) << r.out << r.err;
    for (const char* ok : {"PV-1", "PV-2", "PV-3"}) {
        const size_t at = r.out.find(std::string(ok) + "  ");
        ASSERT_NE(at, std::string::npos) << r.out;
        EXPECT_EQ(r.out.substr(r.out.find('\n', at) - 9, 9), "confirmed") << r.out;
    }
    const size_t no = r.out.find("PV-NO  ");
    ASSERT_NE(no, std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.find('\n', no) - 7, 7), "refused") << r.out;
    std::ofstream(plan) << "id,http_port\nPV-MUTE,8197\n";
    r = runTool(cli(), {"provision", plan, "--wait", "2", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 6) << r.out << r.err;
    EXPECT_NE(r.out.find("not-confirmed"), std::string::npos) << r.out;
    // One that answers with its old settings first is confirmed when the new ones show.
    std::ofstream(plan) << "id,http_port\nPV-LATE,8199\n";
    r = runTool(cli(), {"provision", plan, "--wait", "8", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find(":8098 -> "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - 10), "confirmed\n") << r.out;
}

// Ctrl-C (or SIGTERM) during provision sends no other request; the outcomes
// so far are printed and journalled, and the status is 130. The journal
// shows the run, and its undo plan puts the camera back. --limit and
// --only keep a run to a few cameras.
TEST_F(Cli, AnInterruptedProvisionReportsAndCanBeUndone) {
    ASSERT_TRUE(sim_->ok());
    const std::string plan = dir_ + "/stop.csv", journal = dir_ + "/stop.jsonl";
    std::ofstream(plan) << "id,http_port\nPV-1,8393\nPV-2,8394\nPV-3,8395\n";
    ToolResult r = runTool(cli(), {"provision", plan, "--only", "PV-2", "--dry-run", "--search", "1"}, withPassword());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("PV-1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("PV-2"), std::string::npos) << r.out;
    // A plan is UTF-8 whatever the locale: 前门1 under LC_ALL=C.
    const std::string utf8 = dir_ + "/utf8.csv";
    std::ofstream(utf8) << "id,http_port\n\xe5\x89\x8d\xe9\x97\xa8"
                           "1,8162\n";
    r = runTool(cli(), {"provision", utf8, "--dry-run", "--search", "1"},
                {{"LENSCOUT_PASSWORD", kPassword}, {"LC_ALL", "C"}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(":8062 -> "), std::string::npos) << r.out;

    // set-network too: the first signal ends the wait, with the journal's
    // two lines and status 130.
    std::remove(journal.c_str());
    const size_t asked = requestsFor("PV-MUTE").size();
    test::ToolProcess mute(cli(), {"set-network", "--id", "PV-MUTE", "--http-port", "8103", "--journal", journal},
                           withPassword());
    for (int i = 0; i < 100 && requestsFor("PV-MUTE").size() == asked; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    kill(mute.pid(), SIGHUP);
    r = mute.finish(20000);
    EXPECT_EQ(r.status, 130) << r.err;
    EXPECT_NE(test::fileText(journal).find("\"event\":\"outcome\",\"id\":\"PV-MUTE\""), std::string::npos);
    EXPECT_NE(test::fileText(journal).find("\"outcome\":\"interrupted\"}"), std::string::npos);

    const size_t before = requestsFor("PV-1").size(), others = requestsFor("PV-2").size();
    for (int sig : {SIGINT, SIGTERM}) {
        // The second run asks for yet another port: the first may have taken its own by now.
        if (sig == SIGTERM) std::ofstream(plan) << "id,http_port\nPV-1,8493\nPV-2,8494\n";
        std::remove(journal.c_str());
        test::ToolProcess run(cli(), {"provision", plan, "--limit", "2", "--search", "1", "--journal", journal},
                              withPassword());
        for (int i = 0; i < 100 && requestsFor("PV-1").size() == before + (sig == SIGTERM); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        kill(run.pid(), sig);
        r = run.finish(20000);
        EXPECT_EQ(r.status, 130) << r.out << r.err;
        EXPECT_NE(r.err.find("interrupted: no other request is sent"), std::string::npos) << r.err;
        EXPECT_NE(r.out.find("PV-2  "), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("  not-sent\n"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("PV-3"), std::string::npos) << "beyond --limit: " << r.out;
    }
    EXPECT_EQ(requestsFor("PV-2").size(), others) << r.err;
    const std::string lines = test::fileText(journal);
    const size_t at = lines.find("\"run\":\"");
    ASSERT_NE(at, std::string::npos) << lines;
    const std::string run = lines.substr(at + 7, lines.find('"', at + 7) - at - 7);
    r = runTool(cli(), {"journal", "--journal", journal, "--run", run});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(run + "  provision  attempt  PV-1  "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(run + "  provision  outcome  PV-1  "), std::string::npos) << r.out;
    r = runTool(cli(), {"journal", "--journal", journal, "--undo-plan", run});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("id,ip,mask,gateway,dns,http_port\r\nPV-1,", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find(",8493\r\n"), std::string::npos) << "the port before, not the planned one: " << r.out;
    EXPECT_EQ(r.out.find("PV-2"), std::string::npos) << r.out;
}

// Options that contradict each other, or modify nothing, are refused
// before anything is sent; a port beyond 65535 is no port. --ids-from
// takes the cameras from an inventory, a plan or a list.
TEST_F(Cli, CommandLinesAreTakenAtTheirWord) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("words.bin", 4096, "BNEG");
    const std::vector<std::vector<std::string>> wrong = {
        {"upload", "--kind", "system", image, "--id", "UP-1", "--wave", "2", "--jobs", "2"},
        {"upload", "--kind", "system", image, "--id", "UP-1", "--max-failures", "1"},
        {"upload", "--kind", "system", image, "--id", "UP-1", "--reboot-wait", "10"},
        {"set-network", "--id", "PW", "--http-port", "65616"},
        {"provision", dir_ + "/none.csv", "--progress", "xml"},
        {"scan", "--period", "2", "--seconds", "1"},  // not one of the desktops' periods
    };
    const size_t before = sim_->logLines().size();
    for (const auto& args : wrong) {
        const ToolResult r = runTool(cli(), args, withPassword());
        EXPECT_EQ(r.status, 2) << args[4] << ": " << r.err;
    }
    EXPECT_EQ(sim_->logLines().size(), before) << "nothing reached a camera";

    const std::string list = dir_ + "/ids.csv";
    std::ofstream(list) << "\xEF\xBB\xBFid;name\r\nUP-1;a\r\nUP-3;b\r\n";
    ToolResult r = runTool(cli(), {"upload", "--kind", "system", image, "--ids-from", list, "--json"}, withPassword());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"id\":\"UP-1\",\"outcome\":\"uploaded\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"id\":\"UP-3\",\"outcome\":\"uploaded\""), std::string::npos) << r.out;
    std::ofstream(list) << "UP-1\n\n  UP-3  \n";
    r = runTool(cli(), {"upload", "--kind", "system", image, "--ids-from", list, "--progress", "json"}, withPassword());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("{\"event\":\"ended\",\"id\":\"UP-3\",\"outcome\":\"uploaded\"}"), std::string::npos) << r.err;
}

// The password's traces: LENSCOUT_PASSWORD is gone from the process's own
// environment block, the process cannot be dumped, and a password file that
// others can read brings a warning.
TEST_F(Cli, ThePasswordLeavesNoTrace) {
    ASSERT_TRUE(sim_->ok());
    test::ToolProcess waiting(cli(), {"set-network", "--id", "ABSENT", "--dhcp", "--search", "2"}, withPassword());
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    const std::string status = test::fileText("/proc/" + std::to_string(waiting.pid()) + "/status");
    EXPECT_NE(status, "") << "the process was still running";
    EXPECT_EQ(test::fileText("/proc/" + std::to_string(waiting.pid()) + "/environ").find(kPassword), std::string::npos);
    EXPECT_EQ(waiting.finish().status, 4);

    const std::string file = dir_ + "/shared-password";
    std::ofstream(file) << kPassword << "\n";
    chmod(file.c_str(), 0644);
    const ToolResult r =
        runTool(cli(), {"set-network", "--id", "ABSENT", "--dhcp", "--search", "1", "--password-file", file});
    EXPECT_NE(r.err.find("can be read by other users"), std::string::npos) << r.err;
}

// A camera cannot write to the user's terminal: control bytes in its name
// are shown escaped in the list.
TEST_F(Cli, ACamerasNameCannotDriveTheTerminal) {
    ASSERT_TRUE(sim_->ok());
    const ToolResult r = runTool(cli(), {"scan", "--once", "--list", "--seconds", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.out.find('\x07'), std::string::npos);
    EXPECT_NE(r.out.find("\\x1b]2;owned\\x07\\x1b[2J"), std::string::npos) << r.out;
    // inventory on a terminal (script(1) gives one) escapes them too; into a
    // file it keeps the bytes, as the camera has them.
    const ToolResult tty =
        runTool("/usr/bin/script", {"-qefc", cli() + " inventory --search 1", "/dev/null"}, {{"LC_ALL", "C.UTF-8"}});
    EXPECT_EQ(tty.status, 0) << tty.err;
    EXPECT_EQ(tty.out.find("]2;owned"), tty.out.find("\\x1b]2;owned") + 4) << tty.out;
    EXPECT_NE(tty.out.find("\\x1b]2;owned"), std::string::npos) << tty.out;
}

// Inputs that would go wrong silently: a camera named twice is uploaded to
// once, and a password with a character GBK cannot hold is refused before
// anything is sent, as is such an ID.
TEST_F(Cli, RepeatedIdsAndCharactersNoCameraCanTake) {
    ASSERT_TRUE(sim_->ok());
    const std::string image = writeImage("twice.bin", 64 * 1024, "BNEG");
    ToolResult r =
        runTool(cli(), {"upload", "--kind", "system", image, "--id", "UP-3", "--id", "UP-3"}, withPassword());
    EXPECT_EQ(r.status, 0) << r.err;
    size_t rows = 0;
    for (size_t at = r.out.find("UP-3 "); at != std::string::npos; at = r.out.find("UP-3 ", at + 1))
        rows += at == 0 || r.out[at - 1] == '\n';
    EXPECT_EQ(rows, 1u) << r.out;

    const size_t before = requestsFor("NET-BAD").size();
    r = runTool(cli(), {"set-network", "--id", "NET-BAD", "--http-port", "8084", "--wait", "1"},
                withPassword("p\xc3\xa4sswort"));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("the password has a character that GBK cannot hold"), std::string::npos) << r.err;
    r = runTool(cli(),
                {"set-network", "--id",
                 "NET-B\xc3\xa4"
                 "D",
                 "--http-port", "8084", "--wait", "1"},
                withPassword());
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("the ID NET-B"), std::string::npos) << r.err;
    EXPECT_EQ(requestsFor("NET-BAD").size(), before) << "nothing sent";
}

// Output that cannot be written fails the command; a reader of standard
// error that goes away does not end an upload.
TEST_F(Cli, WritesThatFailAndReadersThatLeave) {
    ASSERT_TRUE(sim_->ok());
    ToolResult r = runTool("/bin/sh", {"-c", cli() + " scan --once --seconds 1 >/dev/full"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("could not be written"), std::string::npos) << r.err;

    const std::string image = writeImage("gone.bin", 512 * 1024, "BNEG");
    const std::string table = dir_ + "/gone.out";
    r = runTool("/bin/bash",
                {"-c", cli() + " upload --kind system " + image + " --id UP-1 2>&1 >" + table +
                           " | true; echo \"status=${PIPESTATUS[0]}\""},
                withPassword());
    EXPECT_NE(r.out.find("status=0"), std::string::npos) << r.out << r.err;
    EXPECT_NE(test::fileText(table).find("UP-1"), std::string::npos);
}

// doctor says what one search sees: the link searched and the one skipped,
// the port, the cameras that answered, and each kind of datagram rejected.
TEST_F(Cli, DoctorSaysWhatASearchSees) {
    ASSERT_TRUE(sim_->ok());
    test::ToolProcess doctor(cli(), {"doctor", "--seconds", "2"});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Socket sender = openUdpSocket();
    uint32_t local = 0;
    ASSERT_TRUE(parseIpv4("127.0.0.1", &local));
    const std::string wrongMagic = "XO_I" + std::string(19, '\0');
    const std::string tooShort = "MO_I";
    sendDatagramTo(sender.get(), wrongMagic.data(), wrongMagic.size(), local, toNetPort(10000));
    sendDatagramTo(sender.get(), tooShort.data(), tooShort.size(), local, toNetPort(10000));
    const ToolResult r = doctor.finish();
    EXPECT_EQ(r.status, 0) << r.err;
    // Named as the system names them, as inventory does.
    EXPECT_NE(r.out.find("interface lan0: 192.168.77.1 mask 255.255.255.0, searched, broadcast 192.168.77.255\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("interface lo: 127.0.0.1 mask 255.0.0.0, skipped: loopback\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("port 10000: bound\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("search: sent 1, skipped 0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" search replies from 45 camera(s)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("rejected: 2 (wrong magic 1, wrong length 1, cut 0"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("hint:"), std::string::npos) << r.out;
}

// With the port taken, the search still goes out from another one, and the
// hint names the cause.
TEST_F(Cli, DoctorNamesAnotherProgramOnThePort) {
    ASSERT_TRUE(sim_->ok());
    Socket holder = openUdpSocket();
    ASSERT_TRUE(bindAny(holder.get(), toNetPort(10000)));
    const ToolResult r = runTool(cli(), {"doctor", "--seconds", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("port 10000: taken by another program; searching from port "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("hint: another program holds UDP port 10000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" search replies from 45 camera(s)"), std::string::npos) << r.out;
}

// A search that goes out on no link says so: the list is not just empty.
// Last of the suite: it pulls the computer's one link and plugs it back.
TEST_F(Cli, ASearchThatWentOutNowhereSaysSo) {
    ASSERT_TRUE(test::changeLink("pull", "1"));
    const ToolResult r = runTool(cli(), {"scan", "--once", "--seconds", "1"});
    ASSERT_TRUE(test::changeLink("plug", "1"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("lenscout-cli scan: no usable network interface"), std::string::npos) << r.err;
    ASSERT_TRUE(test::changeLink("pull", "1"));
    const ToolResult d = runTool(cli(), {"doctor", "--seconds", "1"});
    ASSERT_TRUE(test::changeLink("plug", "1"));
    EXPECT_NE(d.out.find("search: sent 0"), std::string::npos) << d.out;
    EXPECT_EQ(d.status, 4) << "no camera answered";
    EXPECT_NE(d.out.find("hint: no network interface is up and able to broadcast"), std::string::npos) << d.out;
}

}  // namespace
}  // namespace lenscout
