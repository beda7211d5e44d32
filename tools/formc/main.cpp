// formc: converts forms between the text syntax and the binary form format.
//
//   formc INPUT.txt OUTPUT.bin             text to binary (what the build embeds)
//   formc --to-text INPUT.bin OUTPUT.txt   binary back to text
//
// Errors go to standard error as "formc: INPUT: line N: ..." and the exit
// status is 1; the output file is written beside itself and renamed into
// place only when complete, so a failed run leaves an older output as it was.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "platform/classes/TextForm.h"

namespace {

const char* const kUsage =
    "usage: formc INPUT.txt OUTPUT.bin\n"
    "       formc --to-text INPUT.bin OUTPUT.txt\n"
    "Converts a form between the text syntax and the binary form format.\n";

bool ReadAll(const std::string& path, std::string& out, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) {
        error = "read error";
        return false;
    }
    out = s.str();
    return true;
}

bool WriteAll(const std::string& path, const std::string& bytes, std::string& error)
{
    std::string temp = path + ".formc-tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out)
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            error = std::strerror(errno);
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    bool toText = argc == 4 && std::strcmp(argv[1], "--to-text") == 0;
    if (argc != 3 && !toText) {
        std::cerr << kUsage;
        return 1;
    }
    std::string input = argv[toText ? 2 : 1];
    std::string output = argv[toText ? 3 : 2];
    std::string data, error;
    if (!ReadAll(input, data, error)) {
        std::cerr << "formc: cannot read " << input << ": " << error << "\n";
        return 1;
    }
    std::string result;
    try {
        result = toText ? ObjectBinaryToText(data) : ObjectTextToBinary(data);
    } catch (const Exception& e) {
        std::cerr << "formc: " << input << ": " << e.Message() << "\n";
        return 1;
    }
    if (!WriteAll(output, result, error)) {
        std::cerr << "formc: cannot write " << output << ": " << error << "\n";
        return 1;
    }
    return 0;
}
