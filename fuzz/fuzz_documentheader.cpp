// The header of Tapoli's own documents: what a load strips is exactly the header, and a header
// written on save reads back as the values it was written with.

#include "property.h"

#include "documents/documentheader.h"
#include "text/textfile.h"
#include "text/textsize.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace {

const QString Start = QStringLiteral("[TAPOLI]");
const QString TextStart = QStringLiteral("[TXT]");
const QString Keys[] = {QStringLiteral("Police="), QStringLiteral("TaillePol="), QStringLiteral("Alignement=")};

bool holdsKey(const QString &text)
{
    for (const QString &key : Keys) {
        if (text.contains(key))
            return true;
    }
    return false;
}

// The header is found by counting marker lines over the whole file, so text holding one cannot be
// told apart from a header; only other text is expected to survive.
bool holdsMarker(const QStringList &lines)
{
    for (const QString &line : lines) {
        if (line == TextStart || holdsKey(line))
            return true;
    }
    return false;
}

bool canBeWritten(const DocumentHeader::Values &values)
{
    for (const QString *text : {&values.fontName, &values.size, &values.direction}) {
        if (holdsKey(*text) || text->contains(QLatin1Char('\r')) || text->contains(QLatin1Char('\n')))
            return false;
    }
    return true;
}

void checkWrittenHeaderReadsBack(const QStringList &text, const DocumentHeader::Values &values)
{
    if (holdsMarker(text) || !canBeWritten(values))
        return;
    const QStringList saved = DocumentHeader::withHeader(text, values);
    const std::optional<DocumentHeader::Values> header = DocumentHeader::read(saved);
    FUZZ_REQUIRE(header.has_value());
    FUZZ_REQUIRE(header->fontName == values.fontName);
    FUZZ_REQUIRE(header->size == values.size);
    FUZZ_REQUIRE(header->direction == values.direction);
    FUZZ_REQUIRE(DocumentHeader::stripped(saved) == text);
}

void checkSizeAndDirection(const QString &size, const QString &direction)
{
    const int points = DocumentHeader::sizeFrom(size);
    FUZZ_REQUIRE(TextSize::isValid(points));
    FUZZ_REQUIRE(DocumentHeader::sizeFrom(QString::number(points)) == points);
    const int side = directionIndex(DocumentHeader::directionFrom(direction));
    FUZZ_REQUIRE(side == 0 || side == 1);
    FUZZ_REQUIRE(directionIndex(DocumentHeader::directionFrom(QString::number(side))) == side);
}

} // namespace

// Whether the lines hold a header, counted line by line as files have always been told apart.
bool countsAsHeader(const QStringList &lines)
{
    int count = 0;
    bool textStart = false;
    for (const QString &line : lines) {
        textStart = textStart || line == TextStart;
        count += int(line == TextStart) + int(line.contains(QLatin1String("Police=")))
                 + int(line.contains(QLatin1String("TaillePol="))) + int(line.contains(QLatin1String("Alignement=")));
    }
    return count == 4 && textStart;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = TextFile::decodeLines(bytes).lines;

    const std::optional<DocumentHeader::Values> header = DocumentHeader::read(lines);
    const QStringList text = DocumentHeader::stripped(lines);
    const bool startsAsHeader = !lines.isEmpty() && lines.first() == Start;
    // A document is read whole, not as lines: both ways agree.
    FUZZ_REQUIRE(header.has_value() == countsAsHeader(lines));
    FUZZ_REQUIRE(DocumentHeader::stripped(lines.join(QLatin1Char('\n'))) == text.join(QLatin1Char('\n')));
    if (!startsAsHeader) {
        // Text that does not open with "[TAPOLI]" is shown whole, even when its markers are counted.
        FUZZ_REQUIRE(text == lines);
    } else if (header) {
        // A header was found, so its "[TXT]" exists: exactly the lines up to the first one go.
        const qsizetype textStart = lines.indexOf(TextStart);
        FUZZ_REQUIRE(textStart >= 0);
        FUZZ_REQUIRE(text == lines.mid(textStart + 1));
    } else {
        // Never more than the header: what remains is the file's own tail.
        FUZZ_REQUIRE(text.size() < lines.size());
        FUZZ_REQUIRE(lines.mid(lines.size() - text.size()) == text);
    }

    if (header) {
        checkSizeAndDirection(header->size, header->direction);
        // Opened and saved: the header goes back over the text the window showed.
        checkWrittenHeaderReadsBack(text, *header);
    }

    // Any three lines as values, and what follows them as the text.
    DocumentHeader::Values values;
    values.fontName = lines.value(0);
    values.size = lines.value(1);
    values.direction = lines.value(2);
    checkSizeAndDirection(values.size, values.direction);
    checkWrittenHeaderReadsBack(lines.mid(3), values);
    return 0;
}
