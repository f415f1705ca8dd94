#pragma once

namespace vexel {

// How a release writes a sign's proof sheet.
enum class SheetFormat {
    Png, // `<sign>-proof.png`, going on in `-2`, `-3` ... for a sheet longer than a page
    Pdf, // `<sign>-proof.pdf`, one PDF page for each page of the sheet
};

} // namespace vexel
