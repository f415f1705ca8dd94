// The export formats in menu order, one line each; every name is a function
// in a file of this folder returning the format. Included by ExportFormat.cpp
// with VEXEL_EXPORT_FORMAT defined.
VEXEL_EXPORT_FORMAT(framePngFormat)
VEXEL_EXPORT_FORMAT(pixelPngFormat)
VEXEL_EXPORT_FORMAT(animatedGifFormat)
VEXEL_EXPORT_FORMAT(proofSheetFormat)
VEXEL_EXPORT_FORMAT(proofSheetPdfFormat)
