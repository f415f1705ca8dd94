#include "preview/ExportFormat.h"

namespace vexel {

namespace {

// The proof sheet's pages as one PDF, a page each, for printing or mailing
// to the depot that approves the signs.
class ProofSheetPdf : public ExportFormat {
public:
    QString name() const override { return QStringLiteral("sheet-pdf"); }
    QString summary() const override { return QStringLiteral("the proof sheet of every frame, as one PDF"); }
    std::vector<MenuEntry> menuEntries() const override
    {
        return {{QStringLiteral("Proof sheet of the image as PDF..."), Scope::Image},
                {QStringLiteral("Proof sheet of the send list as PDF..."), Scope::SendList}};
    }
    int menuGroup() const override { return 2; }
    QString filter() const override { return QStringLiteral("PDF document|*.pdf"); }
    QString extension() const override { return QStringLiteral("pdf"); }
    QString proposedName(const QString& base, Scope scope, int) const override
    {
        return scope == Scope::SendList ? QStringLiteral("send-list-proof.pdf") : base + QStringLiteral("-proof.pdf");
    }
    Status write(SignTimeline& source, const ExportOptions& options, const QString& path) const override
    {
        return Export::proofSheetPdf(source.timeline(), source.isList() ? source.titles() : QStringList(),
                                     options.heading, path);
    }
};

} // namespace

const ExportFormat& proofSheetPdfFormat()
{
    static const ProofSheetPdf format;
    return format;
}

} // namespace vexel
