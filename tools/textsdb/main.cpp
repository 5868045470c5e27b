// textsdb: writes the texts database from a tab-separated source and shows what a Jet 4
// database holds. See README.md beside this file.

#include "dump.h"
#include "jet_writer.h"
#include "platform/utf.h"
#include "sample_database.h"
#include "texts/jet/byte_source.h"
#include "texts/jet/database.h"
#include "texts/program_text_rows.h"
#include "texts_table.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace qrv;

constexpr const char* kUsage =
    "usage:\n"
    "  textsdb write SOURCE.tsv OUT.mdb [--password P] [--text] [--no-compress]\n"
    "                [--deleted] [--overflow-every N] [--inline-limit BYTES] [--version N]\n"
    "                [--encrypt KEY] [--deleted-column] [--added-column] [--sort-order LCID]\n"
    "  textsdb sample OUT.mdb [--password P]\n"
    "  textsdb tables FILE.mdb [--password P]\n"
    "  textsdb dump FILE.mdb TABLE [--password P]\n"
    "  textsdb texts FILE.mdb LANGUAGE [--group G] [--password P]\n"
    "  textsdb load FILE.mdb LANGUAGE [--password P]\n"
    "The password defaults to the program's (815C7d); --password '' for none.\n";

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    bool Has(const std::string& name) const { return options.count(name) != 0; }
    std::string Get(const std::string& name, const std::string& fallback) const {
        const auto it = options.find(name);
        return it == options.end() ? fallback : it->second;
    }
};

Arguments Parse(int argc, char** argv) {
    static const char* kFlags[] = {"--text", "--no-compress", "--deleted", "--deleted-column",
                                   "--added-column"};
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) {
            args.positional.push_back(arg);
            continue;
        }
        bool flag = false;
        for (const char* f : kFlags) {
            flag = flag || arg == f;
        }
        if (flag) {
            args.options[arg] = "";
        } else if (i + 1 < argc) {
            args.options[arg] = argv[++i];
        } else {
            throw std::runtime_error("option " + arg + " needs a value");
        }
    }
    return args;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(path + ": cannot open");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& target, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error(target + ": cannot write");
    }
}

int Write(const Arguments& args) {
    if (args.positional.size() != 3) {
        throw std::runtime_error(kUsage);
    }
    textsdb::TextsTableOptions tableOptions;
    tableOptions.memo = !args.Has("--text");
    tableOptions.deletedCopies = args.Has("--deleted");
    tableOptions.overflowEvery = std::stoul(args.Get("--overflow-every", "0"));
    tableOptions.deletedColumn = args.Has("--deleted-column");
    tableOptions.addedColumn = args.Has("--added-column");
    textsdb::WriterOptions options;
    options.password = Utf8ToUtf16(args.Get("--password", "815C7d"));
    options.compressText = !args.Has("--no-compress");
    options.memoInlineLimit = std::stoul(args.Get("--inline-limit", "64"));
    options.versionByte = static_cast<std::uint32_t>(std::stoul(args.Get("--version", "1")));
    options.encodingKey =
        static_cast<std::uint32_t>(std::stoul(args.Get("--encrypt", "0"), nullptr, 0));
    options.sortOrder =
        static_cast<std::uint16_t>(std::stoul(args.Get("--sort-order", "0x0409"), nullptr, 0));
    const std::string& source = args.positional[1];
    textsdb::TableContent table;
    try {
        table = textsdb::BuildTextsTable(textsdb::ParseTsv(ReadText(source)), tableOptions);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(source + ": " + e.what());
    }
    WriteFile(args.positional[2], textsdb::WriteDatabase({table}, options));
    return 0;
}

// A database with what years of editing in Access leave behind (sample_database.h).
int Sample(const Arguments& args) {
    textsdb::WriterOptions options;
    options.password = Utf8ToUtf16(args.Get("--password", "815C7d"));
    const textsdb::SampleDatabase sample = textsdb::EditedSample();
    WriteFile(args.positional[1],
              textsdb::WriteDatabase(sample.tables, options, sample.linkedTables));
    return 0;
}

struct OpenDatabase {
    std::unique_ptr<jet::TDatabase> database;
};

OpenDatabase Open(const Arguments& args) {
    const std::string& path = args.positional.at(1);
    return {std::make_unique<jet::TDatabase>(jet::OpenDatabaseFile(Utf8ToUtf16(path)), path,
                                             Utf8ToUtf16(args.Get("--password", "815C7d")))};
}

int Tables(const Arguments& args) {
    const OpenDatabase open = Open(args);
    for (const std::u16string& name : open.database->TableNames()) {
        std::cout << Utf16ToUtf8(name) << '\n';
    }
    return 0;
}

int Dump(const Arguments& args) {
    const OpenDatabase open = Open(args);
    const jet::TTable table = open.database->OpenTable(Utf8ToUtf16(args.positional.at(2)));
    std::ostringstream text;
    textsdb::DumpTable(table, text);
    std::cout << text.str();
    return 0;
}

// The pairs in storage order, and what the program ends up with for each key.
int Texts(const Arguments& args) {
    const OpenDatabase open = Open(args);
    const std::vector<std::string> subDirCaptions = {
        "~BasketName", "~CADFormatDesignation", "~FirstLetterOfSeries", "~Series", "~Teilenummer"};
    const std::vector<std::u16string> keys = ProgramTextKeys(subDirCaptions);
    const auto rows = ReadProgramTextRows(*open.database, args.positional.at(2),
                                          Utf8ToUtf16(args.Get("--group", "PROGRAM")), keys);
    std::map<std::u16string, std::u16string> table;
    for (const auto& [key, text] : rows) {
        table[key] = text;
    }
    std::cout << "TEXTID_\tTXT_\n";
    for (const std::u16string& key : keys) {
        const auto it = table.find(key);
        std::cout << textsdb::EscapeTsvField(key) << '\t'
                  << (it == table.end() ? "(no text: the key is shown)"
                                        : textsdb::EscapeTsvField(it->second))
                  << '\n';
    }
    return 0;
}

// For the benchmark: read the file and load one language's program texts, once.
int Load(const Arguments& args) {
    const auto start = std::chrono::steady_clock::now();
    const OpenDatabase open = Open(args);
    const std::vector<std::string> subDirCaptions = {
        "~BasketName", "~CADFormatDesignation", "~FirstLetterOfSeries", "~Series", "~Teilenummer"};
    const auto rows = ReadProgramTextRows(*open.database, args.positional.at(2), u"PROGRAM",
                                          ProgramTextKeys(subDirCaptions));
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
    std::cout << rows.size() << " rows in " << micros << " us\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const Arguments args = Parse(argc, argv);
        const std::string command = args.positional.empty() ? "" : args.positional[0];
        if (command == "write") {
            return Write(args);
        }
        if (command == "sample" && args.positional.size() == 2) {
            return Sample(args);
        }
        if (command == "tables" && args.positional.size() == 2) {
            return Tables(args);
        }
        if (command == "dump" && args.positional.size() == 3) {
            return Dump(args);
        }
        if (command == "texts" && args.positional.size() == 3) {
            return Texts(args);
        }
        if (command == "load" && args.positional.size() == 3) {
            return Load(args);
        }
        std::cerr << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "textsdb: " << e.what() << '\n';
        return 1;
    }
}
