// A small writer of JSON text for the command line's --json output: objects and arrays with their
// commas, strings escaped, nothing else. The caller keeps the nesting right.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace heliomark::cli {

// A JSON string literal: quotation marks, backslash and control characters escaped; other bytes
// (UTF-8) kept as they are.
std::string JsonString(std::string_view text);
// A string or null.
std::string JsonValue(const std::optional<std::string>& text);

class JsonWriter {
  public:
    // Opens an object or an array, as the value of `key` when inside an object.
    void Open(char bracket, std::string_view key = {});
    void Close(char bracket);
    // A member `key` (inside an object) or an element (key empty, inside an array) whose value is
    // already JSON text (JsonString, JsonValue, a number, true/false/null).
    void Add(std::string_view key, std::string_view json);
    // The text, ended by a line feed.
    std::string Finish();

  private:
    void Separate(std::string_view key);
    std::string text_;
    bool first_ = true;
    int depth_ = 0;
};

}  // namespace heliomark::cli
