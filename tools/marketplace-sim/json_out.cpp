#include "json_out.h"

#include <cstdio>

namespace marketsim {

namespace {

// Length of the valid UTF-8 sequence at the start of text, or 0.
std::size_t Utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

void AppendEscape(std::string& out, unsigned char byte) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", byte);
    out += escape;
}

}  // namespace

std::string JsonQuote(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    while (!text.empty()) {
        const unsigned char c = static_cast<unsigned char>(text.front());
        const std::size_t length = Utf8Length(text);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c == 0x7F || length == 0) {
            AppendEscape(out, c);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length - 1);
        }
        text.remove_prefix(1);
    }
    return out + "\"";
}

void JsonObject::key(std::string_view key) {
    if (!body_.empty())
        body_ += ',';
    body_ += JsonQuote(key);
    body_ += ':';
}

JsonObject& JsonObject::add(std::string_view key, std::string_view text) {
    this->key(key);
    body_ += JsonQuote(text);
    return *this;
}

JsonObject& JsonObject::add(std::string_view key, long long number) {
    this->key(key);
    body_ += std::to_string(number);
    return *this;
}

JsonObject& JsonObject::addRaw(std::string_view key, std::string_view json) {
    this->key(key);
    body_ += json;
    return *this;
}

std::string JsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ',';
        out += items[i];
    }
    return out + "]";
}

}  // namespace marketsim
