// vezudiri-render ARGUMENTS: Ghostscript, given the command line of Ghostscript's own program and
// answering as it does (its output, its exit status). PNG and grey PNG pages are drawn into
// memory and encoded here (render/pagewriter.h); between documents, where a setpagedevice names
// the next output, Ghostscript first prints a marker only this process knows, which it takes out
// of the output again.
#include "render/displayrun.h"
#include "render/markedoutput.h"
#include "render/pagewriter.h"

#include <ghostscript/iapi.h>
#include <ghostscript/ierrors.h>

#include <QRandomGenerator>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

struct Run
{
    std::unique_ptr<MarkedOutput> output;
    std::unique_ptr<PageWriter> writer;
};

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

int readInput(void *, char *buffer, int length)
{
    ssize_t got;
    while ((got = ::read(STDIN_FILENO, buffer, size_t(length))) < 0 && errno == EINTR) {
    }
    return int(got);
}

int writeOutput(void *handle, const char *text, int length)
{
    auto *run = static_cast<Run *>(handle);
    if (!run->output)
        return writeAll(STDOUT_FILENO, QByteArray::fromRawData(text, length)) ? length : -1;
    int markers = 0;
    const QByteArray passed = run->output->take(QByteArray(text, length), &markers);
    for (; markers > 0; --markers)
        run->writer->nextOutput();
    return writeAll(STDOUT_FILENO, passed) ? length : -1;
}

int writeErrors(void *, const char *text, int length)
{
    return writeAll(STDERR_FILENO, QByteArray::fromRawData(text, length)) ? length : -1;
}

int callout(void *, void *handle, const char *device, int id, int, void *data)
{
    auto *run = static_cast<Run *>(handle);
    if (!run->writer || !device || std::strcmp(device, "display") != 0 ||
        id != DISPLAY_CALLOUT_GET_CALLBACK)
        return -1;
    auto *wanted = static_cast<gs_display_get_callback_t *>(data);
    wanted->callback = PageWriter::callbacks();
    wanted->caller_handle = run->writer.get();
    return 0;
}

// As Ghostscript's own program ends.
int exitStatus(int code)
{
    switch (code) {
    case 0:
    case gs_error_Info:
    case gs_error_Quit:
        return 0;
    case gs_error_Fatal:
        return 1;
    default:
        return 255;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QByteArrayList given;
    for (int at = 1; at < argc; ++at)
        given << QByteArray(argv[at]);
    // Unguessable to a document, and never on a command line.
    const QByteArray marker =
        "@@vezudiri-render-" + QByteArray::number(QRandomGenerator::system()->generate64(), 16);
    const DisplayRun display = DisplayRun::of(given, marker);

    void *instance = nullptr;
    if (gsapi_new_instance(&instance, nullptr) < 0)
        return 1;
    Run run;
    if (display.colour != DisplayRun::Colour::None) {
        run.output = std::make_unique<MarkedOutput>(marker);
        run.writer = std::make_unique<PageWriter>(instance, display);
    }
    gsapi_set_stdio_with_handle(instance, readInput, writeOutput, writeErrors, &run);
    gsapi_register_callout(instance, callout, &run);

    std::vector<QByteArray> arguments{QByteArray(argv[0])};
    for (const QByteArray &argument : display.arguments)
        arguments.push_back(argument);
    std::vector<char *> pointers;
    for (QByteArray &argument : arguments)
        pointers.push_back(argument.data());
    int code = gsapi_init_with_args(instance, int(pointers.size()), pointers.data());
    const int exited = gsapi_exit(instance);
    if (code == 0 || code == gs_error_Quit)
        code = exited;
    if (run.output)
        writeAll(STDOUT_FILENO, run.output->rest());
    gsapi_delete_instance(instance);
    return exitStatus(code);
}
