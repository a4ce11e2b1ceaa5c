// velmora-check: the editor's Check page, in a process of its own. Reads a
// page (UTF-8) on standard input and writes the report of HTML Tidy's
// messages on standard output (encodeReport); exit 0, or kCheckerOutOfMemory.
// With "--tidy-up" and its options (tidyArguments) it writes the page
// tidied up instead (encodeTidyResult): Tidy Up runs here for the same
// reasons.
//
// Tidy's parser and diagnostics recurse once per open element: measured
// with libtidy 5.6, at most 67 bytes of stack for a 3-byte "<b>" (about 22
// bytes per byte of page; "<table><tr><td>" 13, "<ul>" 21). The check runs
// on a thread whose stack is 64 bytes per byte of page plus 16 MB, so no
// page can exhaust it. The stack is reserved address space: only what the
// parser touches is ever committed.
#include "core/page_check.h"
#include "core/page_checker.h"
#include "core/tidy_up.h"

#include <cstdio>
#include <new>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct Job {
    QByteArray page;
    std::optional<TidyOptions> tidy;
    QByteArray result;
    bool outOfMemory = false;
};

void *run(void *arg)
{
    auto *job = static_cast<Job *>(arg);
    try {
        job->result = job->tidy ? encodeTidyResult(tidyUpUtf8(job->page, *job->tidy))
                                : encodeReport(reportOf(checkPageUtf8(job->page)));
    } catch (const std::bad_alloc &) {
        job->outOfMemory = true;
    }
    return nullptr;
}

bool readAll(int fd, QByteArray &into)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
        if (n > 0)
            into.append(buffer, n);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    Job job;
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    job.tidy = tidyOptionsFrom(arguments);
    try {
        if (!readAll(STDIN_FILENO, job.page))
            return 1;
    } catch (const std::bad_alloc &) {
        return kCheckerOutOfMemory;
    }
    const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    const size_t guard = 1 << 20;
    size_t size = (size_t(16) << 20) + 64 * size_t(job.page.size()) + guard;
    size = (size + page - 1) / page * page;
    void *stack = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
    if (stack == MAP_FAILED)
        return kCheckerOutOfMemory;
    // A guard below the stack: running past it faults instead of writing
    // into whatever lies there.
    ::mprotect(stack, guard, PROT_NONE);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstack(&attributes, stack, size);
    pthread_t thread;
    if (pthread_create(&thread, &attributes, run, &job) != 0)
        return kCheckerOutOfMemory;
    pthread_join(thread, nullptr);
    if (job.outOfMemory)
        return kCheckerOutOfMemory;
    return std::fwrite(job.result.constData(), 1, size_t(job.result.size()), stdout)
                   == size_t(job.result.size())
               && std::fflush(stdout) == 0
        ? 0
        : 1;
}
