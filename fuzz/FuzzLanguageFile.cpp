// Feeds arbitrary bytes to the language-file reader as the content of a
// language file. A file either does not open or gives, for every text
// number, a text or none; reading must stay inside the bytes (the sanitizers
// watch every access).
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "localisation/LanguageFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<LanguageFileReader> file = LanguageFileReader::Open(input);
    if (!file)
        return 0;
    // Every number the program reads lies below 700; the tail of the input
    // serves as a message ID of any shape.
    for (int number = 0; number < 700; ++number) {
        const QByteArray id = QByteArray::number(number);
        if (file->Text(id) != file->Text(id))
            std::abort();
    }
    file->Text(input.right(8));
    file->Text({});
    return 0;
}
