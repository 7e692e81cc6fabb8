// Item text preparation of random lines under random delimiters, meaning separators,
// meaning limits and orientations.

#include "fuzzinput.h"

#include "study/itemtext.h"

#include <algorithm>

using namespace keruna;
using keruna::fuzz::FuzzInput;

namespace {

// Where the separator starts in a text, each search going on one character past the
// previous find; an empty separator is found at every position, the end included.
QList<qsizetype> occurrences(const QString& text, const QString& separator)
{
    QList<qsizetype> at;
    if (separator.isEmpty()) {
        for (qsizetype i = 0; i <= text.size(); ++i)
            at.append(i);
        return at;
    }
    for (qsizetype i = text.indexOf(separator); i >= 0; i = text.indexOf(separator, i + 1))
        at.append(i);
    return at;
}

int meaningsOf(MeaningLimit limit)
{
    switch (limit) {
    case MeaningLimit::One:
        return 1;
    case MeaningLimit::Two:
        return 2;
    case MeaningLimit::Three:
        return 3;
    case MeaningLimit::Whole:
        break;
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t flags = in.byte();
    const auto limit = MeaningLimit(flags & 3);
    const bool reverse = flags & 4;
    const int n = int16_t(in.u16());
    const QString delimiter = in.text(2);
    const QString separator = in.text(2);
    QString line = in.text(40);
    if (flags & 8) {
        // Past 32767 characters a separator position no longer fits in 16 bits.
        const qsizetype at = in.byte() % (line.size() + 1);
        const QString filler = in.text(1);
        line.insert(at, QString(32700 + in.byte(), filler.isEmpty() ? QChar(u'x') : filler[0]));
    }

    const Result<ItemText> whole
        = PrepareItemText(line, n, delimiter, separator, MeaningLimit::Whole, reverse);
    const Result<ItemText> item = PrepareItemText(line, n, delimiter, separator, limit, reverse);
    if (delimiter.isEmpty()) {
        // One part only: the engines report it as a delimiter mismatch.
        FUZZ_CHECK(!whole && whole.error().number == ErrorNumber::IndexOutOfRange);
        FUZZ_CHECK(!item && item.error().number == ErrorNumber::IndexOutOfRange);
        return 0;
    }

    FUZZ_CHECK(whole.ok());
    const QStringList& columns = whole.value().parts;
    FUZZ_CHECK(columns.size() >= 2);
    if (line.contains(delimiter)) {
        FUZZ_CHECK(columns.join(delimiter) == line);
        for (const QString& column : columns)
            FUZZ_CHECK(!column.contains(delimiter));
    } else {
        FUZZ_CHECK(columns
            == QStringList({line, QString::number(n) + QStringLiteral("行目区切り文字エラー")}));
    }

    // The answer column keeps its first k meanings: it ends just before the k-th
    // separator, or stays whole when there are fewer than k.
    const int k = meaningsOf(limit);
    QString answer = columns[1];
    if (k > 0) {
        const QList<qsizetype> at = occurrences(columns[1], separator);
        const qsizetype lastFound = std::min<qsizetype>(k, at.size()) - 1;
        if (lastFound >= 0 && at[lastFound] >= 32767) {
            FUZZ_CHECK(!item && item.error().number == ErrorNumber::Overflow);
            return 0;
        }
        if (at.size() >= k)
            answer = columns[1].left(at[k - 1]);
    }
    FUZZ_CHECK(item.ok());
    const ItemText& text = item.value();
    QStringList expected = columns;
    expected[1] = answer;
    FUZZ_CHECK(text.parts == expected);
    FUZZ_CHECK(text.question == (reverse ? answer : columns[0]));
    FUZZ_CHECK(text.answer == (reverse ? columns[0] : answer));
    return 0;
}
