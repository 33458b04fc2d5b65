#include "support/TestModel.h"

#include <cctype>
#include <filesystem>

#include "app/SectionReader.h"

namespace {

const char* kCatalogue =
    "Title=VEXA test\n001=Write\n008=Verify\n009=About\n055=Unit:\n200=Port\n300=Name\n"
    "301=Value\n310=None\n311=Odd\n312=Even\n400=Always writable\n401=direct\n"
    "402=not in write mode\n403=in write mode\n405=Press Port\n406=Upload from %1\n"
    "410=Asking %1, try %2 of %3\n";
const char* kQuestions =
    "000=Unit number?\n001=The file was made for another model.\n"
    "002=Without a value: %1. Save?\n100=Enter write mode?\n";

// A section of the test's own texts, then every text shipped beside the test program that they
// do not replace, so that the windows under test speak as shipped.
std::string Section(const std::string& name, const std::string& own) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path shipped = fs::read_symlink("/proc/self/exe", error).parent_path() / "VEXA.cap";
    std::vector<std::string> lines;
    ReadFileSection(shipped.string(), name, lines);
    std::string text = "[" + name + "]\n" + own;
    for (const std::string& line : lines) {
        if (line.size() < 4 || !std::isdigit(static_cast<unsigned char>(line[0]))) continue;
        const std::string key = line.substr(0, line.find('=') + 1);
        if (own.find(key) != 0 && own.find("\n" + key) == std::string::npos) text += line + "\n";
    }
    return text;
}

const char* kScript =
    "[Connect]\n:VarBegin;\nvar STRING key;\n:VarEnd;\n:Begin;\n"
    "COMMREAD \"0503\",0,1,15,6,NOMASK,2,1000,key;\nRET key;\n:End;\n"
    "[DisConnect]\n:Begin;\nCOMMTYPEREAD \"6C00\",0,0,0,0,NOMASK,1,1000;\n:End;\n"
    "[BeforeDownload]\n:Begin;\nCOMMTYPEREAD \"7101\",0,0,0,0,NOMASK,1,1000;\n:End;\n"
    "[AfterDownload]\n:Begin;\nCOMMTYPEREAD \"7100\",0,0,0,0,NOMASK,1,1000;\n:End;\n"
    "[TCImage]\nTS01.bmp\n";

const char* kIndex = "\"TS01-A\",\"TS01.prm\",\"TS01 test controller\"\nENDOFTABLE,-\n";

const char* kTable =
    "[ParamList]\n"
    "{Set point,5201;1;1;0;1;0,5701;1;1;0;1;0;4,0,,,,1,0,1,0,0}\n"
    "{Alarm type,5202;1;1;0;1;0,5702;1;1;0;1;0;4,0,,,,1,0,2,0,0}\n"
    "{Alarm value,5203;1;1;0;1;0,5703;1;1;0;1;0;4,0,,,,1,0,3,1,AL}\n"
    "{Input type,5204;1;1;0;1;0,5704;1;1;0;1;0;4,0,,6C01;1;1;0;1,6C00;1;1;0;1,1,1,4,0,0}\n"
    "{Firmware,5205;1;1;0;1;0,5705;1;1;0;1;0;4,0,,,,0,0,5,0,0}\n"
    "{Decimal value,5206;1;1;0;1;0,5706;1;1;0;1;0;4,1,DP,,,1,0,6,0,0}\n"
    "[DownloadList]\n4=Input type\n1=Set point\n2=Alarm type\n3=Alarm value\n5=Firmware\n"
    "6=Decimal value\n"
    "[Upload]\n1=Set point\n2=Alarm type\n3=Alarm value\n4=Input type\n5=Firmware\n"
    "6=Decimal value\n99=No such parameter\n"
    // Condition of "Alarm value" (text AL, number 3): the alarm type is not 0.
    "[00000090]\n:VarBegin;\nvar WORD t;\nvar INT r;\n:VarEnd;\n:Begin;\n"
    "COMMREAD \"5202\",0,1,15,4,0xFFFF,1,1000,t;\nSTORE r,0;\n"
    "IF t,==,0,::done,::set;\n::set;\nSTORE r,1;\n::done;\nRET r;\n:End;\n"
    // Scale of "Decimal value" (text DP, number 6): one decimal place.
    "[0001009A]\n:VarBegin;\nvar LONG s;\n:VarEnd;\n:Begin;\nSTORE s,10;\nRET s;\n:End;\n";

}  // namespace

void WriteTestModel(const TempFolder& folder) {
    folder.Write("VEXA.cap", Section("Pyrona", kCatalogue) + Section("MESSAGE", kQuestions));
    folder.Write("TS01.scp", kScript);
    folder.Write("TS01.tbl", kIndex);
    folder.Write("TS01.prm", kTable);
}
