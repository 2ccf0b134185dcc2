#include "accuracy_report/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace xsin {

std::string JsonWriter::quoted(const std::string& text) {
    std::string result = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            result += escape;
        } else {
            result += c;
        }
    }
    return result + '"';
}

std::string JsonWriter::number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

void JsonWriter::emit(const std::string& text) {
    out.put(text.data(), text.size());
}

void JsonWriter::separate() {
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (levels.empty()) {
        return;
    }
    Level& level = levels.back();
    std::string text = level.empty ? "" : ",";
    if (level.layout == Layout::lines) {
        text += "\n" + std::string(2 * levels.size(), ' ');
    } else if (!level.empty) {
        text += " ";
    }
    level.empty = false;
    emit(text);
}

void JsonWriter::begin(char open, char close, Layout layout) {
    separate();
    emit(std::string(1, open));
    levels.push_back({close, layout});
}

void JsonWriter::end() {
    const Level level = levels.back();
    levels.pop_back();
    std::string text;
    if (level.layout == Layout::lines && !level.empty) {
        text = "\n" + std::string(2 * levels.size(), ' ');
    }
    emit(text + level.close);
    if (levels.empty()) {
        emit("\n");
    }
}

void JsonWriter::beginObject(Layout layout) {
    begin('{', '}', layout);
}

void JsonWriter::endObject() {
    end();
}

void JsonWriter::beginArray(Layout layout) {
    begin('[', ']', layout);
}

void JsonWriter::endArray() {
    end();
}

void JsonWriter::key(const std::string& name) {
    separate();
    emit(quoted(name) + ": ");
    afterKey = true;
}

void JsonWriter::value(double v) {
    separate();
    emit(number(v));
}

void JsonWriter::value(long v) {
    separate();
    emit(std::to_string(v));
}

void JsonWriter::value(bool truth) {
    separate();
    emit(truth ? "true" : "false");
}

void JsonWriter::value(const std::string& text) {
    separate();
    emit(quoted(text));
}

}  // namespace xsin
