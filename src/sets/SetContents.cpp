#include "sets/SetContents.h"

#include "sets/DestinationSet.h"
#include "sets/SetLettering.h"

namespace vexel {

namespace {

// One table's rows into `into`, or why not.
template <class T>
Status take(Expected<T> read, T& into)
{
    if (!read)
        return read.status();
    into = std::move(read).value();
    return Status::success();
}

} // namespace

Expected<SetContents> SetContents::read(const DestinationSet& set)
{
    SetContents c;
    const Status read = set.readTogether([&]() {
        Status fine = take(set.destinations(), c.destinations);
        if (fine)
            fine = take(set.signs(), c.signs);
        if (fine)
            fine = take(set.overrides(), c.overrides);
        if (fine)
            fine = take(set.words(), c.words);
        return fine;
    });
    if (!read)
        return read;
    return c;
}

const SignOverride* SetContents::byHand(const QString& code, const QString& sign) const
{
    for (const SignOverride& o : overrides)
        if (o.code.compare(code, Qt::CaseInsensitive) == 0 && o.sign.compare(sign, Qt::CaseInsensitive) == 0)
            return &o;
    return nullptr;
}

void SetContents::prepare(SetLettering& lettering) const
{
    lettering.setAbbreviations(words.lettering<Abbreviation>());
    lettering.setKeepTogether(std::vector<QString>(words.keepTogether.begin(), words.keepTogether.end()));
    lettering.setViaWords(words.viaWordLatin, words.viaWordGeorgian);
}

} // namespace vexel
