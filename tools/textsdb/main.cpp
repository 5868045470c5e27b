// textsdb's commands: writes the texts database from a tab-separated source and shows what a
// Jet 4 database holds. See README.md beside this file.

#include "command.h"
#include "dump.h"
#include "jet_writer.h"
#include "platform/utf.h"
#include "sample_database.h"
#include "texts/jet/byte_source.h"
#include "texts/jet/database.h"
#include "texts/program_text_rows.h"
#include "texts/run_texts.h"
#include "texts_table.h"

#include <chrono>
#include <filesystem>
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
    "textsdb reads and writes the texts database of QRV3DOVEravar, the file\n"
    "data\\tables\\ado\\QRV3RUN_2K.mdb in the program's folder.\n"
    "\n"
    "  textsdb dump DATABASE > texts.tsv\n"
    "      Prints the texts table X_PROGRAMSTRINGS as tab-separated text (UTF-8): a line\n"
    "      with the column names LNGID_ GROUP_ TEXTID_ TXT_, then one line per text.\n"
    "      (textsdb dump DATABASE TABLE prints another table.)\n"
    "  textsdb write texts.tsv NEW_DATABASE\n"
    "      Writes a database with that table from such text: the table, the password and\n"
    "      the layout that the program reads. An existing file is replaced.\n"
    "  textsdb texts DATABASE LANGUAGE\n"
    "      Shows, for every text the program asks for, what it will show in that language.\n"
    "  textsdb tables DATABASE\n"
    "      Lists the database's tables.\n"
    "\n"
    "In the text, a field that is exactly \\N has no value, and \\t \\n \\r \\\\ stand for tab,\n"
    "line feed, carriage return and backslash. Lines that start with # are left out.\n"
    "To correct a text or add a language: dump, edit the text in an editor that saves UTF-8,\n"
    "write to a new file, look at it with texts, then put it in place of the program's\n"
    "file while the program is not running. The program's own texts database needs no\n"
    "password option; --password P opens or writes a database with another password\n"
    "(--password \"\" for none).\n";

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    bool Has(const std::string& name) const { return options.count(name) != 0; }
    std::string Get(const std::string& name, const std::string& fallback) const {
        const auto it = options.find(name);
        return it == options.end() ? fallback : it->second;
    }
};

Arguments Parse(const std::vector<std::string>& arguments) {
    static const char* kFlags[] = {"--text", "--no-compress", "--deleted", "--deleted-column",
                                   "--added-column"};
    Arguments args;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
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
        } else if (i + 1 < arguments.size()) {
            args.options[arg] = arguments[++i];
        } else {
            throw std::runtime_error("option " + arg + " needs a value");
        }
    }
    return args;
}

// A path given in UTF-8, as the file system takes it (wide on Windows).
std::filesystem::path FilePath(const std::string& path) {
    return std::filesystem::path(Utf8ToUtf16(path));
}

std::string ReadText(const std::string& path) {
    std::ifstream in(FilePath(path), std::ios::binary);
    if (!in) {
        throw std::runtime_error(path + ": cannot open");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& target, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(FilePath(target), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error(target + ": cannot write");
    }
}

int Write(const Arguments& args) {
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
    const std::u16string name = args.positional.size() > 2 ? Utf8ToUtf16(args.positional[2])
                                                           : std::u16string(kProgramTextsTable);
    const jet::TTable table = open.database->OpenTable(name);
    std::ostringstream text;
    textsdb::DumpTable(table, text);
    std::cout << text.str();
    return 0;
}

// What the program ends up with for each key it asks for.
int Texts(const Arguments& args) {
    const OpenDatabase open = Open(args);
    const std::vector<std::string> subDirCaptions = {
        "~BasketName", "~CADFormatDesignation", "~FirstLetterOfSeries", "~Series", "~Teilenummer"};
    std::vector<std::u16string> keys = ProgramTextKeys(subDirCaptions);
    const std::size_t captionKeys = keys.size();
    for (const std::u16string_view key : RunTextKeys()) {
        keys.emplace_back(key);
    }
    const auto rows = ReadProgramTextRows(*open.database, args.positional.at(2),
                                          Utf8ToUtf16(args.Get("--group", "PROGRAM")), keys);
    std::map<std::u16string, std::u16string> table;
    for (const auto& [key, text] : rows) {
        table[key] = text;
    }
    std::cout << "TEXTID_\tTXT_\n";
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto it = table.find(keys[i]);
        const char* missing = i < captionKeys
                                  ? "(no text: the key is shown)"
                                  : "(no text: the program's own is shown, German for DEDE, "
                                    "else English)";
        std::cout << textsdb::EscapeTsvField(keys[i]) << '\t'
                  << (it == table.end() ? missing : textsdb::EscapeTsvField(it->second)) << '\n';
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

int qrv::textsdb::Run(const std::vector<std::string>& arguments) {
    try {
        const Arguments args = Parse(arguments);
        const std::string command = args.positional.empty() ? "" : args.positional[0];
        if (command == "write" && args.positional.size() == 3) {
            return Write(args);
        }
        if (command == "sample" && args.positional.size() == 2) {
            return Sample(args);
        }
        if (command == "tables" && args.positional.size() == 2) {
            return Tables(args);
        }
        if (command == "dump" && (args.positional.size() == 2 || args.positional.size() == 3)) {
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
