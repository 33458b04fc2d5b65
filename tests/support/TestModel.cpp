#include "support/TestModel.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/SectionReader.h"

namespace {

// The model's files are kept beside this source (model/), the test's own catalogue texts too.
std::string ModelFile(const std::string& name) { return VEXA_TEST_MODEL_DIR "/" + name; }

// A section of the test's own texts, then every text shipped beside the test program that they
// do not replace, so that the windows under test speak as shipped.
std::string Section(const std::string& name) {
    std::error_code error;
    const auto shipped = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    std::vector<std::string> own, lines;
    ReadFileSection(ModelFile("VEXA.cap"), name, own);
    ReadFileSection((shipped / "VEXA.cap").string(), name, lines);
    std::string text = "[" + name + "]\n";
    std::set<std::string> keys;
    for (const std::string& line : own) {
        text += line + "\n";
        keys.insert(line.substr(0, line.find('=')));
    }
    for (const std::string& line : lines) {
        if (line.size() < 4 || !std::isdigit(static_cast<unsigned char>(line[0]))) continue;
        if (!keys.contains(line.substr(0, line.find('=')))) text += line + "\n";
    }
    return text;
}

}  // namespace

void WriteTestModel(const TempFolder& folder) {
    folder.Write("VEXA.cap", Section("Pyrona") + Section("MESSAGE"));
    for (const char* name : {"TS01.scp", "TS01.tbl", "TS01.prm"}) {
        std::ifstream in(ModelFile(name), std::ios::binary);
        folder.Write(name, std::string(std::istreambuf_iterator<char>(in), {}));
    }
}
