#include "common/textmatch.h"

#include <algorithm>

namespace keruna {

namespace {

// The character code page 932 text holds for a typed one, or the character itself.
char16_t codePageForm(char16_t c)
{
    switch (c) {
    case u'〜': // U+301C wave dash
        return u'～';
    case u'−': // U+2212 minus sign
        return u'－';
    case u'—': // U+2014 em dash, as input methods type it; 81 5C reads as U+2015
        return u'―';
    case u'‖': // U+2016 double vertical line
        return u'∥';
    case u'¢':
        return u'￠';
    case u'£':
        return u'￡';
    case u'¬':
        return u'￢';
    default:
        return c;
    }
}

bool isTypedTwin(QChar c)
{
    return codePageForm(c.unicode()) != c.unicode();
}

// The characters the typed forms fold to (none has another letter case).
bool isFoldTarget(QChar c)
{
    for (char16_t typed : {u'〜', u'−', u'—', u'‖', u'¢', u'£', u'¬'}) {
        if (codePageForm(typed) == c.unicode())
            return true;
    }
    return false;
}

} // namespace

QString foldCodePageTwins(QString text)
{
    // Each typed form becomes the form code page 932 text decodes to; one character for
    // one, so positions stay where they were.
    for (QChar& c : text)
        c = QChar(codePageForm(c.unicode()));
    return text;
}

bool sameTypedText(const QString& typed, const QString& expected)
{
    return typed.size() == expected.size()
        && foldCodePageTwins(typed) == foldCodePageTwins(expected);
}

bool containsTypedText(const QString& text, const QString& wanted, Qt::CaseSensitivity cs)
{
    return TypedTextFinder(wanted, cs).in(text);
}

TypedTextFinder::TypedTextFinder(const QString& wanted, Qt::CaseSensitivity cs)
    : m_wanted(foldCodePageTwins(wanted))
    , m_cs(cs)
    , m_foldTexts(std::any_of(m_wanted.cbegin(), m_wanted.cend(), isFoldTarget))
{
}

bool TypedTextFinder::in(const QString& text) const
{
    // A typed form in the text folds to a character the folded search text does not hold
    // unless it holds a fold target: without one, the text as it is gives the same answer.
    if (!m_foldTexts || std::none_of(text.cbegin(), text.cend(), isTypedTwin))
        return text.contains(m_wanted, m_cs);
    return foldCodePageTwins(text).contains(m_wanted, m_cs);
}

} // namespace keruna
