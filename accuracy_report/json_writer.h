#pragma once

#include <string>
#include <vector>

#include "output/output.h"

// Writes JSON to an output file: the writer places the commas, the
// indentation and the escapes, and numbers as the shortest decimal that
// reads back as the same double (null for NaN and infinities, which JSON
// has not). A container is laid out either one member a line, indented,
// or all on one line.

namespace xsin {

class JsonWriter {
public:
    enum class Layout { lines, oneLine };

    explicit JsonWriter(OutputFile& file) : out(file) {}

    void beginObject(Layout layout = Layout::lines);
    void endObject();
    void beginArray(Layout layout = Layout::lines);
    void endArray();

    // The name of the next member of an object.
    void key(const std::string& name);

    void value(double number);
    void value(long number);
    void value(int number) { value(static_cast<long>(number)); }
    void value(bool truth);
    void value(const std::string& text);
    void value(const char* text) { value(std::string(text)); }

    template <class T>
    void member(const std::string& name, const T& v) {
        key(name);
        value(v);
    }

    // An array of numbers, on one line.
    template <class T>
    void array(const std::vector<T>& numbers) {
        beginArray(Layout::oneLine);
        for (const T& number : numbers) {
            value(number);
        }
        endArray();
    }

    // The text of a JSON string: quoted, with '"', '\' and control
    // characters escaped.
    static std::string quoted(const std::string& text);
    // The text of a JSON number, or null.
    static std::string number(double value);

private:
    struct Level {
        char close;
        Layout layout;
        bool empty = true;
    };

    void begin(char open, char close, Layout layout);
    void end();
    // Before a value or a key: the comma and the line break it needs.
    void separate();
    void emit(const std::string& text);

    OutputFile& out;
    std::vector<Level> levels;
    bool afterKey = false;
};

}  // namespace xsin
