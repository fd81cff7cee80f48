// welkor-reader-sim: a plate reader on a pseudo-terminal.
//
//   welkor-reader-sim [--answers good,silent,corrupt,half,slow,tail] [--pace MS] report.rap
//
// Opens a pseudo-terminal pair, prints the device name the program should use
// as its port (one line on standard output) and answers every compound
// command ("02" + two hex digits + "03") with the framed transmission of the
// report's lines before its analysis block. --answers gives the answer to
// each command in turn, the last one repeating:
//   good     the whole frame
//   silent   nothing
//   corrupt  the whole frame with a wrong first byte
//   half     the first half of the frame, then nothing
//   slow     the whole frame in pieces, each starting at a blank, one every
//            MS milliseconds (--pace, default 20), as a slow reader sends
//   tail     what is left of the frame once its first line and the start of
//            the second are gone: it starts at a blank and ends as a frame,
//            as the rest of an answer does that a program stopped listening to
// The question ENQ (0x05) is answered with ACK (0x06), except when the
// answer due to the next command is `silent`: a silent reader says nothing at
// all. Other single control bytes are logged and left unanswered. The
// simulator ends when its parent does, or on a signal.
#include "core/reader/ReaderCommands.h"
#include "core/reader/Transmission.h"
#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum class Answer { Good, Silent, Corrupt, Half, Slow, Tail };

bool ParseAnswers(const std::string& list, std::vector<Answer>& out)
{
    std::stringstream in(list);
    std::string word;
    while (std::getline(in, word, ',')) {
        if (word == "good")
            out.push_back(Answer::Good);
        else if (word == "silent")
            out.push_back(Answer::Silent);
        else if (word == "corrupt")
            out.push_back(Answer::Corrupt);
        else if (word == "half")
            out.push_back(Answer::Half);
        else if (word == "slow")
            out.push_back(Answer::Slow);
        else if (word == "tail")
            out.push_back(Answer::Tail);
        else
            return false;
    }
    return !out.empty();
}

bool IsHexDigit(char ch) { return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'); }

// Takes the first compound command out of `pending`; false when there is none
// yet. Bytes before it are dropped.
bool TakeCommand(std::string& pending, std::string& command)
{
    for (std::size_t i = 0; i + 6 <= pending.size(); ++i) {
        if (pending.compare(i, 2, "02") == 0 && IsHexDigit(pending[i + 2]) && IsHexDigit(pending[i + 3])
            && pending.compare(i + 4, 2, "03") == 0) {
            command = pending.substr(i, 6);
            pending.erase(0, i + 6);
            return true;
        }
    }
    if (pending.size() > 5)
        pending.erase(0, pending.size() - 5);
    return false;
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The frame in pieces, each but the first starting at a blank, written with
// a pause before each piece after the first.
bool WriteSlowly(int fd, const std::string& frame, int paceMs)
{
    std::size_t start = 0;
    while (start < frame.size()) {
        std::size_t end = frame.find(' ', start + 1);
        if (end == std::string::npos)
            end = frame.size();
        if (start > 0)
            usleep(static_cast<useconds_t>(paceMs) * 1000);
        if (!WriteAll(fd, frame.substr(start, end - start)))
            return false;
        start = end;
    }
    return true;
}

void MakeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<Answer> answers;
    std::string reportPath;
    int paceMs = 20;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--answers" && i + 1 < argc) {
            if (!ParseAnswers(argv[++i], answers)) {
                std::fprintf(stderr, "welkor-reader-sim: unknown answer in '%s'\n", argv[i]);
                return 2;
            }
        } else if (arg == "--pace" && i + 1 < argc) {
            paceMs = std::atoi(argv[++i]);
            if (paceMs < 0 || paceMs > 60000) {
                std::fprintf(stderr, "welkor-reader-sim: pace '%s' is not 0-60000 ms\n", argv[i]);
                return 2;
            }
        } else if (reportPath.empty() && arg.rfind("--", 0) != 0) {
            reportPath = arg;
        } else {
            std::fprintf(stderr, "usage: welkor-reader-sim [--answers good,silent,corrupt,half,slow,tail] [--pace MS] report.rap\n");
            return 2;
        }
    }
    if (reportPath.empty()) {
        std::fprintf(stderr, "usage: welkor-reader-sim [--answers good,silent,corrupt,half,slow,tail] [--pace MS] report.rap\n");
        return 2;
    }
    if (answers.empty())
        answers.push_back(Answer::Good);

    std::ifstream file(reportPath, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "welkor-reader-sim: cannot read %s\n", reportPath.c_str());
        return 1;
    }
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    welkor::ReportLines lines = welkor::SplitReportText(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == welkor::kAnalysisMarker) {
            lines.resize(i);
            break;
        }
    }
    const std::string frame = welkor::FrameTransmission(lines);

    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("welkor-reader-sim: pseudo-terminal");
        return 1;
    }
    const char* slaveName = ptsname(master);
    // The simulator keeps the device open itself, so the program may open and
    // close it as often as it likes without the line hanging up.
    const int slave = slaveName ? open(slaveName, O_RDWR | O_NOCTTY) : -1;
    if (slave < 0) {
        std::perror("welkor-reader-sim: device");
        return 1;
    }
    MakeRaw(slave);
    MakeRaw(master);
    std::printf("%s\n", slaveName);
    std::fflush(stdout);

    const welkor::ReaderControlBytes control;
    std::string pending;
    std::size_t answered = 0;
    char buffer[256];
    for (;;) {
        pollfd watch{master, POLLIN, 0};
        if (poll(&watch, 1, -1) < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return 0;
        pending.append(buffer, static_cast<std::size_t>(n));
        for (ssize_t i = 0; i < n; ++i) {
            const auto byte = static_cast<unsigned char>(buffer[i]);
            if (byte >= 0x20)
                continue;
            if (byte == control.question && answers[std::min(answered, answers.size() - 1)] != Answer::Silent) {
                std::fprintf(stderr, "welkor-reader-sim: question, answering with ACK\n");
                if (!WriteAll(master, std::string(1, static_cast<char>(control.acknowledge))))
                    return 1;
            } else {
                std::fprintf(stderr, "welkor-reader-sim: control byte %02X, no answer\n", static_cast<unsigned>(byte));
            }
        }

        std::string command;
        while (TakeCommand(pending, command)) {
            const Answer answer = answers[std::min(answered, answers.size() - 1)];
            ++answered;
            std::string reply;
            const char* what = "nothing";
            if (answer == Answer::Good) {
                reply = frame;
                what = "the whole frame";
            } else if (answer == Answer::Corrupt) {
                reply = frame;
                reply[0] = 'X';
                what = "a frame with a wrong first byte";
            } else if (answer == Answer::Half) {
                reply = frame.substr(0, frame.size() / 2);
                what = "half a frame";
            } else if (answer == Answer::Slow) {
                reply = frame;
                what = "the whole frame, slowly";
            } else if (answer == Answer::Tail) {
                const std::size_t secondLine = frame.find('\x03');
                const std::size_t blank = secondLine == std::string::npos ? secondLine : frame.find(' ', secondLine);
                reply = blank == std::string::npos ? frame : frame.substr(blank);
                what = "the tail of a frame";
            }
            std::fprintf(stderr, "welkor-reader-sim: command %s, answering with %s (%zu bytes)\n", command.c_str(),
                         what, reply.size());
            const bool written = answer == Answer::Slow ? WriteSlowly(master, reply, paceMs) : WriteAll(master, reply);
            if (!reply.empty() && !written)
                return 1;
        }
    }
}
