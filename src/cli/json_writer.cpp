#include "cli/json_writer.h"

namespace heliomark::cli {

std::string JsonString(std::string_view text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\r') {
            json += "\\r";
        } else if (c == '\t') {
            json += "\\t";
        } else if (byte < 0x20) {
            json += "\\u00";
            json += Hex[byte >> 4];
            json += Hex[byte & 15];
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string JsonValue(const std::optional<std::string>& text) {
    return text ? JsonString(*text) : "null";
}

void JsonWriter::Separate(std::string_view key) {
    if (!first_) text_ += ',';
    if (depth_ > 0) text_ += "\n" + std::string(2 * depth_, ' ');
    first_ = false;
    if (!key.empty()) text_ += JsonString(key) + ": ";
}

void JsonWriter::Open(char bracket, std::string_view key) {
    Separate(key);
    text_ += bracket;
    ++depth_;
    first_ = true;
}

void JsonWriter::Close(char bracket) {
    --depth_;
    if (!first_) text_ += "\n" + std::string(2 * depth_, ' ');
    text_ += bracket;
    first_ = false;
}

void JsonWriter::Add(std::string_view key, std::string_view json) {
    Separate(key);
    text_ += json;
}

std::string JsonWriter::Finish() {
    return text_ + "\n";
}

}  // namespace heliomark::cli
