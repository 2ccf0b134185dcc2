#include "output/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "diagnostics/diagnostics.h"
#include "output/descriptor.h"
#include "output/registry.h"

namespace xsin {

namespace {

void report(const char* verb, const char* name, int error) {
    reportFailure("cannot %s %s: %s", verb, name, std::strerror(error));
}

}  // namespace

OutputFile::OutputFile(const char* fileName)
    : state(State::unopened), name(fileName), exceptionsAtOpen(std::uncaught_exceptions()) {
    if (anotherOutput(fileName)) {
        error = EEXIST;
        return;
    }
    output = openOutput(fileName);
    if (output < 0) {
        error = errno;
        report("open", fileName, error);
        return;
    }
    descriptor = outputDescriptor(output);
    state = State::writing;
}

OutputFile::OutputFile(int standard, const char* label)
    : state(closedAtStart(standard) ? State::missing : State::writing),
      descriptor(state == State::writing ? standard : -1),
      name(label),
      lineBuffered(::isatty(standard) == 1) {}

OutputFile::~OutputFile() {
    if (std::uncaught_exceptions() > exceptionsAtOpen) {
        // Unwinding: the file is not complete. It stays open and partial,
        // for runProgram to empty and remove; nothing is written now.
        return;
    }
    close();
}

void OutputFile::fail(int why) {
    if (state == State::writing || state == State::missing) {
        state = State::failed;
        error = why;
        report("write", name, error);
    }
}

void OutputFile::makeRoom(std::size_t size) {
    if (!buffer) {
        buffer.reset(new char[capacity]);
    }
    if (capacity - used < size) {
        // The whole blocks, and what follows them to the start.
        const std::size_t whole = used / blockSize * blockSize;
        write(buffer.get(), whole);
        std::memmove(buffer.get(), buffer.get() + whole, used - whole);
        used -= whole;
    }
    if (capacity - used < size) {
        flush();
    }
}

void OutputFile::write(const char* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    switch (state) {
    case State::writing:
        if (const int why = writeAll(descriptor, data, size); why != 0) {
            fail(why);
        }
        break;
    case State::missing:
        fail(EBADF);
        break;
    case State::failed:
    case State::unopened:
    case State::closed:
        break;
    }
}

void OutputFile::flush() {
    write(buffer.get(), used);
    used = 0;
}

bool OutputFile::close() {
    if (state == State::writing || state == State::failed || state == State::missing) {
        flush();
        if (output >= 0) {
            if (const int why = closeOutput(output, state == State::writing); why != 0) {
                fail(why);
            }
            output = -1;
        } else if (descriptor >= 0 && ::close(descriptor) != 0) {
            fail(errno);  // a write-back that failed, an I/O error, or a signal
        }
        descriptor = -1;
    }
    state = State::closed;
    return error == 0;
}

void OutputFile::put(const char* text, std::size_t size) {
    if (state != State::writing && state != State::missing) {
        return;
    }
    if (size > blockSize) {
        flush();
        write(text, size);
        return;
    }
    std::memcpy(room(size), text, size);
    advance(size);
    if (lineBuffered && std::memchr(text, '\n', size) != nullptr) {
        flush();
    }
}

void OutputFile::put(const char* text) {
    put(text, std::strlen(text));
}

void OutputFile::print(const char* format, ...) {
    if (state != State::writing && state != State::missing) {
        return;
    }
    std::va_list arguments;
    va_start(arguments, format);
    char small[512];
    errno = 0;
    const int length = std::vsnprintf(small, sizeof small, format, arguments);
    va_end(arguments);
    if (length < 0) {
        fail(errno != 0 ? errno : EOVERFLOW);  // a conversion that cannot be formatted
        return;
    }
    if (static_cast<std::size_t>(length) < sizeof small) {
        put(small, static_cast<std::size_t>(length));
        return;
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    va_start(arguments, format);
    std::vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);
    put(text.data(), static_cast<std::size_t>(length));
}

OutputFile& standardOutput() {
    static OutputFile out(STDOUT_FILENO, "standard output");
    return out;
}

}  // namespace xsin
