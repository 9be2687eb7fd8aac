// TarvexCmd.exe: the command-line cleaner's entry point, its words handed on as they came.
#include "command/TarvexCmd.h"

#include <cstdio>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

// An output stream buffer over a C stream. The standard streams of <iostream> would bring in
// C runtime functions that Windows before XP does not have; the C streams are in every msvcrt.
class FileBuffer : public std::streambuf {
  public:
    explicit FileBuffer(std::FILE* file) : file(file) {}

  protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        return std::fputc(ch, file) == EOF ? traits_type::eof() : ch;
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        return static_cast<std::streamsize>(
            std::fwrite(text, 1, static_cast<std::size_t>(count), file));
    }
    int sync() override { return std::fflush(file) == 0 ? 0 : -1; }

  private:
    std::FILE* file;
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    FileBuffer outBuffer(stdout);
    FileBuffer errBuffer(stderr);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    const int code = RunTarvexCmd(args, out, err);
    out.flush();
    err.flush();
    return code;
}
