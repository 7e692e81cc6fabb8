#include "common/textmatch.h"

namespace keruna {

QString foldCodePageTwins(QString text)
{
    // Each typed form becomes the form code page 932 text decodes to; one character for
    // one, so positions stay where they were.
    for (QChar& c : text) {
        switch (c.unicode()) {
        case u'〜': // U+301C wave dash
            c = u'～';
            break;
        case u'−': // U+2212 minus sign
            c = u'－';
            break;
        case u'—': // U+2014 em dash, as input methods type it; 81 5C reads as U+2015
            c = u'―';
            break;
        case u'‖': // U+2016 double vertical line
            c = u'∥';
            break;
        case u'¢':
            c = u'￠';
            break;
        case u'£':
            c = u'￡';
            break;
        case u'¬':
            c = u'￢';
            break;
        default:
            break;
        }
    }
    return text;
}

bool sameTypedText(const QString& typed, const QString& expected)
{
    return typed.size() == expected.size()
        && foldCodePageTwins(typed) == foldCodePageTwins(expected);
}

bool containsTypedText(const QString& text, const QString& wanted, Qt::CaseSensitivity cs)
{
    return foldCodePageTwins(text).contains(foldCodePageTwins(wanted), cs);
}

} // namespace keruna
