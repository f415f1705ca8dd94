#pragma once

#include <QString>

namespace vexel {

// The Latin name a sign shows for a Georgian one: the national romanization
// of 2002 in signage style. Ejective marks are dropped (წყნეთი → Tsqneti) and
// each word that begins with a Georgian letter is capitalised, after spaces and
// hyphens alike (ვაჟა-ფშაველა → Vazha-Pshavela). Latin letters, digits and
// punctuation pass through as they are.
QString suggestLatin(const QString& georgian);

// True when `text` holds at least one Georgian letter (Mkhedruli or Mtavruli).
bool hasGeorgian(const QString& text);

} // namespace vexel
