#include "support/workbook_reader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <unzip.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace qudrim::testing {

namespace {

std::string readPart(unzFile zip, const std::string& name)
{
    if (unzLocateFile(zip, name.c_str(), 1) != UNZ_OK)
        throw std::runtime_error("the workbook has no part " + name);
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        throw std::runtime_error("cannot open part " + name);
    std::string data;
    char buffer[8192];
    int n = 0;
    while ((n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
        data.append(buffer, static_cast<size_t>(n));
    const bool crcOk = unzCloseCurrentFile(zip) == UNZ_OK;
    if (n < 0 || !crcOk)
        throw std::runtime_error("cannot read part " + name);
    return data;
}

using Document = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

Document parse(const std::string& xml, const std::string& name)
{
    Document doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), name.c_str(), nullptr, XML_PARSE_NONET),
                 &xmlFreeDoc);
    if (!doc)
        throw std::runtime_error("part " + name + " is no well-formed XML");
    return doc;
}

bool is(const xmlNode* n, const char* name)
{
    return n->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0;
}

std::vector<const xmlNode*> children(const xmlNode* parent, const char* name)
{
    std::vector<const xmlNode*> out;
    for (const xmlNode* n = parent ? parent->children : nullptr; n; n = n->next)
        if (is(n, name))
            out.push_back(n);
    return out;
}

const xmlNode* child(const xmlNode* parent, const char* name)
{
    auto all = children(parent, name);
    return all.empty() ? nullptr : all.front();
}

std::string attribute(const xmlNode* n, const char* name)
{
    xmlChar* v = xmlGetProp(n, reinterpret_cast<const xmlChar*>(name));
    if (!v)
        return {};
    std::string s(reinterpret_cast<const char*>(v));
    xmlFree(v);
    return s;
}

std::string content(const xmlNode* n)
{
    xmlChar* v = xmlNodeGetContent(n);
    std::string s = v ? reinterpret_cast<const char*>(v) : "";
    xmlFree(v);
    return s;
}

// "B12" as (12, 2).
std::pair<int, int> cellReference(const std::string& ref)
{
    int column = 0;
    size_t i = 0;
    for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z'; ++i)
        column = column * 26 + (ref[i] - 'A' + 1);
    if (i == 0 || i == ref.size())
        throw std::runtime_error("bad cell reference " + ref);
    return {std::stoi(ref.substr(i)), column};
}

// The format code of every cell style, by the style's index.
std::vector<std::string> styleFormats(const xmlNode* styleSheet)
{
    std::map<int, std::string> codes = {{0, "General"}, {9, "0%"}, {10, "0.00%"}};
    for (const xmlNode* f : children(child(styleSheet, "numFmts"), "numFmt"))
        codes[std::stoi(attribute(f, "numFmtId"))] = attribute(f, "formatCode");
    std::vector<std::string> formats;
    for (const xmlNode* xf : children(child(styleSheet, "cellXfs"), "xf")) {
        const std::string id = attribute(xf, "numFmtId");
        const auto code = codes.find(id.empty() ? 0 : std::stoi(id));
        formats.push_back(code != codes.end() ? code->second : "format " + id);
    }
    return formats;
}

// Numbers in the file are written with a point whatever the locale.
double number(const std::string& text)
{
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size())
        throw std::runtime_error("bad number " + text);
    return v;
}

}  // namespace

const SheetCell* ReadWorkbook::at(int row, int column) const
{
    const auto it = cells.find({row, column});
    return it == cells.end() ? nullptr : &it->second;
}

int ReadWorkbook::rowCount() const
{
    int n = 0;
    for (const auto& [key, cell] : cells)
        n = std::max(n, key.first);
    return n;
}

int ReadWorkbook::columnCount() const
{
    int n = 0;
    for (const auto& [key, cell] : cells)
        n = std::max(n, key.second);
    return n;
}

ReadWorkbook readWorkbook(const std::filesystem::path& file)
{
    std::unique_ptr<void, int (*)(unzFile)> zip(unzOpen64(file.string().c_str()), &unzClose);
    if (!zip)
        throw std::runtime_error("no zip archive: " + file.string());

    ReadWorkbook book;
    (void)readPart(zip.get(), "[Content_Types].xml");

    // The first worksheet, through the workbook's relationships.
    const Document workbook = parse(readPart(zip.get(), "xl/workbook.xml"), "workbook.xml");
    const auto sheets = children(child(xmlDocGetRootElement(workbook.get()), "sheets"), "sheet");
    if (sheets.empty())
        throw std::runtime_error("the workbook has no worksheet");
    for (const xmlNode* s : sheets)
        book.sheetNames.push_back(attribute(s, "name"));
    const std::string firstId = attribute(sheets.front(), "id");  // r:id
    const Document rels = parse(readPart(zip.get(), "xl/_rels/workbook.xml.rels"), "workbook.xml.rels");
    std::string sheetPart;
    for (const xmlNode* r : children(xmlDocGetRootElement(rels.get()), "Relationship"))
        if (attribute(r, "Id") == firstId)
            sheetPart = "xl/" + attribute(r, "Target");
    if (sheetPart.empty())
        throw std::runtime_error("the first worksheet has no part");

    std::vector<std::string> shared;
    if (unzLocateFile(zip.get(), "xl/sharedStrings.xml", 1) == UNZ_OK) {
        const Document sst = parse(readPart(zip.get(), "xl/sharedStrings.xml"), "sharedStrings.xml");
        for (const xmlNode* si : children(xmlDocGetRootElement(sst.get()), "si"))
            shared.push_back(content(si));
    }
    const Document styles = parse(readPart(zip.get(), "xl/styles.xml"), "styles.xml");
    const std::vector<std::string> formats = styleFormats(xmlDocGetRootElement(styles.get()));

    const Document sheet = parse(readPart(zip.get(), sheetPart), sheetPart);
    for (const xmlNode* row : children(child(xmlDocGetRootElement(sheet.get()), "sheetData"), "row")) {
        for (const xmlNode* c : children(row, "c")) {
            SheetCell cell;
            const std::string type = attribute(c, "t");
            const xmlNode* v = child(c, "v");
            if (type == "s") {
                const size_t index = std::stoul(content(v));
                if (index >= shared.size())
                    throw std::runtime_error("shared string out of range");
                cell.text = shared[index];
            } else if (type == "inlineStr") {
                cell.text = content(child(c, "is"));
            } else if (type == "str") {
                cell.text = content(v);
            } else if (type.empty() || type == "n") {
                if (!v)
                    continue;  // a cell with a style and no value is empty
                cell.isNumber = true;
                cell.number = number(content(v));
                const std::string s = attribute(c, "s");
                const size_t style = s.empty() ? 0 : std::stoul(s);
                cell.format = style < formats.size() ? formats[style] : "no style " + s;
            } else {
                throw std::runtime_error("unexpected cell type " + type);
            }
            book.cells[cellReference(attribute(c, "r"))] = cell;
        }
    }
    return book;
}

}  // namespace qudrim::testing
