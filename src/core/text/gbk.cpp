#include "text/gbk.h"

#include <errno.h>

#include <iconv.h>

namespace corpgather {
namespace {

constexpr std::string_view replacementChar = "\xEF\xBF\xBD";

// One descriptor per thread and direction: iconv_t keeps state and must not be shared.
class Converter final {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input; at each sequence iconv rejects, `replace` appends a stand-in
    // and says how many bytes to pass over, so the rest of the text is still converted.
    template <typename Replace>
    std::string convert(std::string_view input, Replace replace) const {
        std::string out;
        out.reserve(input.size() * 3 / 2);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            out.append(buffer, outPtr - buffer);
            if (result != static_cast<size_t>(-1) || error == E2BIG)
                continue;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            const size_t skip = replace(std::string_view(in, inLeft), out);
            in += skip;
            inLeft -= skip;
        }
        return out;
    }

private:
    iconv_t cd_;
};

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The malformed or unmappable UTF-8 character at the front: its lead byte and the continuation
// bytes that follow it, so a cut-off character yields one stand-in.
size_t utf8Length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const size_t expected = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    size_t length = 1;
    while (length < expected && length < text.size() && isContinuation(text[length]))
        ++length;
    return length;
}

size_t replaceGbkByte(std::string_view, std::string& out) {
    out += replacementChar;
    return 1;
}

size_t replaceUtf8Char(std::string_view rest, std::string& out) {
    out += '?';
    return utf8Length(rest);
}

// Without the system's converters only ASCII passes.
std::string asciiOnly(std::string_view text, size_t (*replace)(std::string_view, std::string&)) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out += text[i++];
        } else {
            i += replace(text.substr(i), out);
        }
    }
    return out;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    thread_local const Converter decoder("UTF-8", "GB18030");
    if (!decoder.valid())
        return asciiOnly(gbk, replaceGbkByte);
    return decoder.convert(gbk, replaceGbkByte);
}

std::string Utf8ToGbk(std::string_view utf8) {
    thread_local const Converter encoder("GBK", "UTF-8");
    if (!encoder.valid())
        return asciiOnly(utf8, replaceUtf8Char);
    return encoder.convert(utf8, replaceUtf8Char);
}

}  // namespace corpgather
