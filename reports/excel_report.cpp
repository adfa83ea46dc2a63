#include "reports/excel_report.h"

#include <xlsxwriter.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

#include "data/application_texts.h"
#include "reports/excel_sheet_content.h"

namespace heatnet {
namespace {

// libxlsxwriter writes only to a named file, so the workbook is built beside
// its final name and moved over it once complete.
bool WriteWorkbook(const SheetCells& cells, const std::string& path) {
    // The library reports a file it cannot create on stderr in English; a place
    // that takes no file is found out here and told in the person's words instead.
    if (!std::ofstream(path, std::ios::binary | std::ios::trunc)) return false;
    lxw_workbook* workbook = workbook_new(path.c_str());
    if (!workbook) return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    bool written = sheet != nullptr;
    // One format per number format text; the workbook owns and frees them.
    std::map<std::string, lxw_format*> formats;
    auto formatFor = [&](const std::string& numberFormat) {
        lxw_format*& format = formats[numberFormat];
        if (!format && (format = workbook_add_format(workbook)))
            format_set_num_format(format, numberFormat.c_str());
        return format;
    };
    for (const auto& [address, value] : cells) {
        if (!written) break;
        const lxw_row_t row = static_cast<lxw_row_t>(address.first - 1);
        const lxw_col_t column = static_cast<lxw_col_t>(address.second - 1);
        lxw_error error = LXW_NO_ERROR;
        if (const auto* number = std::get_if<double>(&value)) {
            error = worksheet_write_number(sheet, row, column, *number, nullptr);
        } else if (const auto* shown = std::get_if<ShownNumber>(&value)) {
            lxw_format* format = formatFor(shown->format);
            error = format ? worksheet_write_number(sheet, row, column, shown->value, format)
                           : LXW_ERROR_MEMORY_MALLOC_FAILED;
        } else {
            // An empty text leaves the cell empty, as assigning "" to a cell does
            // in the spreadsheet itself.
            error = worksheet_write_string(sheet, row, column,
                                           std::get<std::string>(value).c_str(), nullptr);
        }
        written = error == LXW_NO_ERROR;
    }
    // Closing saves and frees the workbook, whatever happened before.
    const lxw_error saved = workbook_close(workbook);
    return written && saved == LXW_NO_ERROR;
}

}  // namespace

bool ExportExcelReport(const NetworkModel& model, const StandardPipeTable& table,
                       const SegmentRowOrder& order, const std::string& path,
                       UserInteraction& person) {
    const std::string temporary = path + ".heatnet-tmp";
    std::error_code error;
    bool written = WriteWorkbook(ExcelSheetContent(model, table, order), temporary);
    if (written) std::filesystem::rename(temporary, path, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        person.ShowMessage("无法写入EXCEL表 " + path +
                               ",请检查文件夹是否可写、文件是否被其他程序占用。计算结果见计算书。",
                           kApplicationTitle);
        return false;
    }
    return true;
}

}  // namespace heatnet
