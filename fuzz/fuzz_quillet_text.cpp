// The editor's reading of a file's bytes. Decoding and encoding again with the detected
// format must give the file's bytes back unchanged (opening and saving a file must not
// alter it), without a character reported as lost. Where the file holds the line-end
// symbols as text, stray line ends become line breaks: then at least a second round
// keeps the text.

#include "fuzz/fuzz_input.h"
#include "quillet/text_file.h"

using quillet::TextFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const quillet::LoadedText loaded = TextFile::decode(bytes);
    FUZZ_CHECK(loaded.ok);
    FUZZ_CHECK(!loaded.text.contains(QLatin1Char('\r')));
    FUZZ_CHECK(TextFile::fewestCharacters(qint64(bytes.size())) <= loaded.text.size() || !loaded.format.strayMarkers);

    bool lossy = true;
    const QByteArray written = TextFile::encode(loaded.text, loaded.format, &lossy);
    if (loaded.format.strayMarkers) {
        FUZZ_CHECK(!lossy);
        FUZZ_CHECK(written == bytes);
    } else {
        const quillet::LoadedText again = TextFile::decode(written);
        FUZZ_CHECK(again.text == loaded.text);
    }
    return 0;
}
