#pragma once

#include <string>

#include "lists/list_file.h"
#include "platform/code_page.h"
#include "platform/file_evidence.h"
#include "scanner/object_details.h"

// The report for administrators: every registered browser helper object,
// without a window and without changing anything.
namespace qb::report {

inline constexpr char kHeader[] =
    "CLSID,View,Status,File name,BHO name,Description,File version,Product name,Publisher,"
    "signature,signer,sha256,claim_unbacked";

struct ObjectReport {
  // UTF-8 with a byte order mark: the header line, then one line per object
  // and view, CR LF after each.
  std::string csv;
  int suspicious = 0;
};

// One line per object and view: each view's objects in the registry's
// order, the program's own view first. The status is tested in the order
// the scan uses: "known", then "ignored", then "blocked", else
// "suspicious". The details are read as the details view reads them, in
// the view that registers the line's object; the file they find is read
// (its version resource, its hash and its signature) once per report,
// however many objects load it.
ObjectReport BuildObjectReport(const scanner::DetailsSources& sources,
                               platform::FileEvidence& evidence, const lists::ClsidLists& lists,
                               const platform::CodePage& code_page);

}  // namespace qb::report
