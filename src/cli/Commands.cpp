#include "cli/Commands.h"

#include "core/uBaseTools.h"
#include "core/uRelationID.h"
#include "hexview/HexModel.h"
#include "hexview/HexProfile.h"
#include "pages/DataPage.h"
#include "pages/HeaderPage.h"
#include "platform/Errors.h"
#include "platform/IntConv.h"
#include "platform/Text.h"
#include "records/uFormats.h"
#include "records/uStencil.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

namespace morvane::cli {

namespace {

const char* const kUsage =
    "Usage: morvane-cli COMMAND [OPTIONS] FILE\n"
    "\n"
    "Commands:\n"
    "  info        page size, ODS version and page count of FILE\n"
    "  pages       the page list: page number, type and flags of every listed page\n"
    "  relations   the ids of the relations that own data pages\n"
    "  generators  the generator names and system flags kept in relation 20\n"
    "  page        one page decoded as its editor shows it: morvane-cli page [--hex] FILE N\n"
    "  extract     a relation's records laid out by its stored formats, as the extractor's\n"
    "              export writes them (value; per field, CR LF a record): morvane-cli extract FILE ID\n"
    "\n"
    "Options:\n"
    "  --page-size N           page size to use when the header is not recognised\n"
    "                          (1024, 2048, 4096, 8192 or 16384)\n"
    "  --types LIST            pages: list only these page type codes, e.g. 0,5\n"
    "  --relation ID           pages: list only the data pages of relation ID\n"
    "  --sort page|type|flags  pages: sort column (ascending)\n"
    "  --hex                   page: also the page's bytes as the hex view shows them\n"
    "  --help                  show this text\n"
    "  --version               show the program version\n";

struct TUsageError {
    std::string Message;
};

struct TOptions {
    std::string Command;
    std::string File;
    std::optional<int> PageSize;
    std::optional<std::vector<int>> Types;
    std::optional<int32_t> Relation;
    uint8_t Sort = 0;
    bool Hex = false;
    int32_t Page = 0;
};

int ParseNumber(const std::string& option, const std::string& text) {
    try {
        return StrToInt(text);
    } catch (const EConvertError& e) {
        throw TUsageError{option + ": " + e.what()};
    }
}

TOptions Parse(const std::vector<std::string>& args) {
    TOptions o;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw TUsageError{a + " needs a value"};
            return args[++i];
        };
        if (a == "--page-size") {
            const int size = ParseNumber(a, value());
            if (size != 1024 && size != 2048 && size != 4096 && size != 8192 && size != 16384)
                throw TUsageError{"--page-size must be 1024, 2048, 4096, 8192 or 16384"};
            o.PageSize = size;
        } else if (a == "--types") {
            std::vector<int> codes;
            std::stringstream list(value());
            for (std::string item; std::getline(list, item, ',');)
                codes.push_back(ParseNumber("--types", item));
            o.Types = codes;
        } else if (a == "--relation") {
            o.Relation = ParseNumber(a, value());
        } else if (a == "--sort") {
            static const std::map<std::string, uint8_t> kColumns = {{"page", 0}, {"type", 1}, {"flags", 2}};
            const auto it = kColumns.find(value());
            if (it == kColumns.end()) throw TUsageError{"--sort must be page, type or flags"};
            o.Sort = it->second;
        } else if (a == "--hex") {
            o.Hex = true;
        } else if (a.size() > 1 && a[0] == '-' &&
                   (a.size() < 2 || !std::isdigit(static_cast<unsigned char>(a[1])))) {
            throw TUsageError{"unknown option " + a};
        } else {
            positional.push_back(a);
        }
    }
    if (positional.empty()) throw TUsageError{"no command given"};
    o.Command = positional[0];
    if (o.Command == "page" || o.Command == "extract") {
        if (positional.size() != 3)
            throw TUsageError{o.Command == "page" ? "page takes a FILE and a page number N"
                                                  : "extract takes a FILE and a relation ID"};
        o.Page = ParseNumber(o.Command == "page" ? "N" : "ID", positional[2]);
    } else if (positional.size() != 2) {
        throw TUsageError{o.Command + " takes exactly one FILE"};
    }
    o.File = positional[1];
    return o;
}

// An open database for the length of one command, read-only: the CLI's reports never write.
struct TSession {
    TBaseFile File;
    TAnalyser* Analyser = nullptr;
};

void OpenDatabase(TSession& s, const TOptions& o) {
    s.File.ReadOnly = true;
    bool asked = false;
    const TPageSizeQuery query = [&]() -> std::optional<int> {
        asked = true;
        return o.PageSize;
    };
    try {
        s.Analyser = s.File.Open(o.File, {}, query);
    } catch (const EError& e) {
        std::string message = e.what();
        if (asked && !o.PageSize)
            message += "\nThe header page is not recognised; give the page size with --page-size N.";
        throw EError(message);
    }
    if (!s.Analyser) throw EError("'" + o.File + "' is not an existing file.");
}

std::string ODSText(const TAnalyser& a) {
    const uint16_t v = a.ODSVersion();
    // The minor version moved from offset 62 to 64 when the implementation word was split.
    const size_t minorAt = HasFirebird3Layout(v) ? 64 : 62;
    const unsigned minor = a.HeaderBytes()[minorAt] | (a.HeaderBytes()[minorAt + 1] << 8);
    std::string text = std::to_string(v);
    if (v & 0x8000)
        text += " (Firebird " + std::to_string(v & 0x7FFF) + "." + std::to_string(minor) + ")";
    else
        text += " (ODS " + std::to_string(v) + "." + std::to_string(minor) + ")";
    return text;
}

void Info(const TSession& s, const TOptions& o, std::ostream& out) {
    out << "File: " << o.File << "\n"
        << "Page size: " << s.Analyser->PageSize() << "\n"
        << "ODS version: " << ODSText(*s.Analyser) << "\n"
        << "Pages: " << s.Analyser->PageCount() << "\n";
}

void Pages(TSession& s, const TOptions& o, std::ostream& out) {
    TAnalyser& a = *s.Analyser;
    if (o.Types) {
        std::vector<bool> wanted(11, false);
        for (int code : *o.Types) {
            if (code >= 0 && code <= 10)
                wanted[code] = true;
            else
                a.ToggleTypeFilter(code);
        }
        for (int code = 0; code <= 10; ++code)
            if (!wanted[code]) a.ToggleTypeFilter(code);
    }
    if (o.Relation) a.SetRelationFilter(*o.Relation);
    if (o.Sort != 0) a.SetSortColumn(o.Sort);
    std::string text = "Page\tTypes\tFlag\n";
    const size_t rows = a.VisibleCount();
    for (size_t r = 0; r < rows; ++r) {
        text += a.GetCellText(0, r);
        text += '\t';
        text += a.GetCellText(1, r);
        text += '\t';
        text += a.GetCellText(2, r);
        text += '\n';
        if (text.size() > (1 << 16)) {
            out << text;
            text.clear();
        }
    }
    out << text;
}

void Relations(const TSession& s, std::ostream& out) {
    const TMemTable& t = s.Analyser->PageTable();
    for (size_t i = 0; i < t.RelationCount(); ++i)
        out << t.RelationAt(i) << "\n";
}

void Generators(TSession& s, std::ostream& out) {
    const TRelationID20 gens(s.File);
    for (int32_t i = 0; i < gens.Count(); ++i)
        out << i << "\t" << gens.NameAt(i) << "\t" << gens.SystemFlagAt(i) << "\n";
}

std::string HexText(const std::vector<uint8_t>& bytes) {
    return LowerHex(bytes.data(), bytes.size());
}

void PrintDataPage(TMemoryStream& data, std::ostream& out) {
    const TDataPageContent c = LoadDataPage(data);
    out << "Relation ID\t" << c.Header.dpg_relation << "\n"
        << "# in relation\t" << c.Header.dpg_sequence << "\n"
        << "# of record segments\t" << c.Header.dp_rec_count << "\n"
        << "Slot\tOffset  -  length\tRecord\tFlags\tTransaction ID\tPacked\tUnPacked\n";
    for (size_t j = 0; j < c.Slots.size(); ++j) {
        const TSlot& slot = c.Slots[j];
        out << j << "\t" << slot.Item();
        if (slot.Empty()) {
            out << "\t\t\t\t\t\n";
            continue;
        }
        try {
            const TRecordImage image = ReadRecordImage(data, slot.Offset, slot.Length);
            const TRecordBytes bytes = RecordBytes(image);
            out << "\t" << RecordKindLabel(image.Kind) << "\t" << image.Flags() << "\t" << image.Transaction()
                << "\t" << HexText(bytes.Packed) << "\t" << HexText(bytes.Unpacked) << "\n";
        } catch (const EError&) {
            out << "\tSelected record cannot be displayed\t\t\t\t\n";
        }
    }
}

void PrintHex(TMemoryStream& data, std::ostream& out) {
    hexview::THexModel view;
    hexview::ApplyHexProfile(view, hexview::THexSettings{});
    view.LoadFromStream(data);
    std::string text;
    for (int64_t row = 0; row < view.RowCount(); ++row) {
        for (int col = 0; col < view.ColumnCount(); ++col) {
            const std::u32string cell = view.CellText(row, col);
            for (char32_t ch : cell)
                AppendUtf8(text, ch);
            const int width = view.ColumnWidthUnits(col);
            for (int pad = static_cast<int>(cell.size()); pad < width; ++pad)
                text += ' ';
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        text += '\n';
    }
    out << text;
}

void Page(TSession& s, const TOptions& o, std::ostream& out) {
    if (o.Page < 0 || static_cast<uint64_t>(o.Page) >= s.Analyser->PageCount())
        throw EError("Page " + std::to_string(o.Page) + " is outside the file, which has " +
                     std::to_string(s.Analyser->PageCount()) + " pages.");
    std::unique_ptr<TPageFile> page(s.File.GetPageBuffer(o.Page));
    const auto header = CommonHeaderTexts(page->PageHeader());
    for (size_t i = 0; i < header.size(); ++i)
        out << kCommonHeaderFields[i].Label << "\t" << header[i] << "\n";
    TMemoryStream& data = page->Data();
    switch (page->PageTypeCode()) {
    case ptHeader:
        for (const THeaderRow& row : HeaderRows(ReadHeaderRecord(data), CreationIsoText))
            out << row.Name << "\t" << row.Value << "\n";
        break;
    case ptData:
        PrintDataPage(data, out);
        break;
    default:
        break;
    }
    if (o.Hex) PrintHex(data, out);
}

void Extract(TSession& s, const TOptions& o, std::ostream& out) {
    const int32_t relation = o.Page;
    const std::vector<IBRec> records = ReadRelationRecords(s.File, relation);
    const TFieldFormat formats(s.File, relation);
    int duplicates = 0;
    auto lists = DefinitionsFromFormats(formats, [&] { ++duplicates; });
    if (lists.empty()) throw EError("Some troubles with extracting - no formats found.");
    std::vector<const TIBFieldDefList*> views;
    for (const auto& l : lists)
        views.push_back(l.get());
    TStensil stensil(views);
    stensil.AddRecords(records);
    const TRecordTable& table = stensil.ResultTable();
    for (size_t row = 0; row < table.RowCount(); ++row)
        out << ExportLine(table, row);
    if (duplicates)
        throw EError("Position already occupied! (" + std::to_string(duplicates) + " fields left out)");
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return 0;
        }
        if (a == "--version") {
            out << "morvane-cli " << MORVANE_VERSION << "\n";
            return 0;
        }
    }
    TOptions o;
    try {
        o = Parse(args);
        static const char* const kCommands[] = {"info",       "pages", "relations",
                                                "generators", "page",  "extract"};
        if (std::find(std::begin(kCommands), std::end(kCommands), o.Command) == std::end(kCommands))
            throw TUsageError{"unknown command " + o.Command};
    } catch (const TUsageError& e) {
        err << "morvane-cli: " << e.Message << "\n" << kUsage;
        return 2;
    }
    try {
        TSession s;
        OpenDatabase(s, o);
        if (o.Command == "info")
            Info(s, o, out);
        else if (o.Command == "pages")
            Pages(s, o, out);
        else if (o.Command == "relations")
            Relations(s, out);
        else if (o.Command == "page")
            Page(s, o, out);
        else if (o.Command == "extract")
            Extract(s, o, out);
        else
            Generators(s, out);
        out.flush();
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace morvane::cli
