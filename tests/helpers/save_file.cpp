// save_file PATH TEXT: saves TEXT as PATH the way the editor saves a
// document, so that tests can save as another user (through setpriv).
// Exit 0 when saved; 1 with the error on standard output otherwise.

#include "core/document_file.h"

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    std::signal(SIGXFSZ, SIG_IGN); // a file size limit is a failed write

    const std::optional<FileError> error =
        saveDocumentFile(QString::fromLocal8Bit(argv[1]), QByteArray(argv[2]));
    if (!error)
        return 0;
    std::printf("%s, %d\n", qPrintable(error->description), error->number);
    return 1;
}
