#include "gbk_encode.h"

#include <cerrno>
#include <stdexcept>

#include <iconv.h>

namespace marketsim {

namespace {

// iconv descriptors keep conversion state, so each server thread owns one.
class Converter final {
public:
    Converter() : handle_(iconv_open("GBK", "UTF-8")) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv: no GBK");
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    void append(std::string& out, std::string_view utf8) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(utf8.data());
        std::size_t inLeft = utf8.size();
        const std::size_t start = out.size();
        out.resize(start + utf8.size());  // GBK never needs more bytes than UTF-8
        char* dest = out.data() + start;
        std::size_t destLeft = utf8.size();
        if (iconv(handle_, &in, &inLeft, &dest, &destLeft) == static_cast<std::size_t>(-1)) {
            out.resize(start);
            throw std::runtime_error("not representable in GBK: " + std::string(utf8));
        }
        out.resize(out.size() - destLeft);
    }

private:
    iconv_t handle_;
};

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

void AppendGbk(std::string& out, std::string_view utf8) {
    if (IsAscii(utf8)) {
        out.append(utf8);
        return;
    }
    thread_local Converter converter;
    converter.append(out, utf8);
}

std::string ToGbk(std::string_view utf8) {
    std::string out;
    AppendGbk(out, utf8);
    return out;
}

std::size_t GbkMiddle(std::string_view gbk) {
    std::size_t at = 0;
    while (at < gbk.size() / 2) {
        const bool lead = static_cast<unsigned char>(gbk[at]) >= 0x81 && at + 1 < gbk.size();
        at += lead ? 2 : 1;
    }
    return at;
}

}  // namespace marketsim
