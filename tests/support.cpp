#include "support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/output.h"

namespace fs = std::filesystem;

namespace xsin::testing {

void InTempDir::SetUp() {
    previous = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "xsin-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    fs::current_path(dir);
}

void InTempDir::TearDown() {
    fs::current_path(previous);
    if (!dir.empty()) {
        fs::remove_all(dir);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

Run run(const std::string& commandLine) {
    // Captured beside, not inside, the working directory the program writes to.
    const std::string out = fs::current_path().string() + ".out";
    const std::string err = fs::current_path().string() + ".err";
    const int raw = std::system(("(" + commandLine + ") >'" + out + "' 2>'" + err + "'").c_str());
    Run result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readFile(out);
    result.err = readFile(err);
    fs::remove(out);
    fs::remove(err);
    return result;
}

std::string captureStdout(const std::function<void()>& body) {
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    std::FILE* capture = std::tmpfile();
    dup2(fileno(capture), STDOUT_FILENO);
    body();
    standardOutput().flush();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::rewind(capture);
    std::string text;
    for (int c; (c = std::fgetc(capture)) != EOF;) {
        text.push_back(static_cast<char>(c));
    }
    std::fclose(capture);
    return text;
}

std::string tenDecimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.10f", value);
    return text;
}

}  // namespace xsin::testing
