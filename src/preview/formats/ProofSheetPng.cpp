#include "preview/ExportFormat.h"

namespace vexel {

namespace {

// Every frame drawn small on one PNG, labelled, for approval before a send.
class ProofSheetPng : public ExportFormat {
public:
    QString name() const override { return QStringLiteral("sheet"); }
    QString summary() const override { return QStringLiteral("the proof sheet of every frame"); }
    std::vector<MenuEntry> menuEntries() const override
    {
        return {{QStringLiteral("Proof sheet of the image..."), Scope::Image},
                {QStringLiteral("Proof sheet of the send list..."), Scope::SendList}};
    }
    int menuGroup() const override { return 2; }
    QString filter() const override { return QStringLiteral("PNG picture|*.png"); }
    QString extension() const override { return QStringLiteral("png"); }
    QString proposedName(const QString& base, Scope scope, int) const override
    {
        return scope == Scope::SendList ? QStringLiteral("send-list-proof.png") : base + QStringLiteral("-proof.png");
    }
    Status write(SignTimeline& source, const ExportOptions& options, const QString& path) const override
    {
        return Export::proofSheet(source.timeline(), source.isList() ? source.titles() : QStringList(),
                                  options.heading, path);
    }
};

} // namespace

const ExportFormat& proofSheetFormat()
{
    static const ProofSheetPng format;
    return format;
}

} // namespace vexel
