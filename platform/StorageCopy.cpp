#include "platform/StorageCopy.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-impl.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <set>
#include <string>
#include <unistd.h>

namespace StorageCopy {

namespace {

bool g_complained = false;

// libgsf passes over damaged parts with a warning; a warning fails the copy.
void onLog(const gchar*, GLogLevelFlags level, const gchar* message, gpointer)
{
    if (level & (G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_ERROR)) {
        g_complained = true;
        std::fprintf(stderr, "kehrwerk-crunch: %s\n", message ? message : "libgsf warning");
    }
}

template <typename T> struct Ref {
    T* p = nullptr;
    explicit Ref(T* object)
        : p(object)
    {
    }
    ~Ref()
    {
        if (p)
            g_object_unref(p);
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
};

bool isStorage(GsfInput* input)
{
    return GSF_IS_INFILE(input) && gsf_infile_num_children(GSF_INFILE(input)) >= 0;
}

bool copyStream(GsfInput* in, GsfOutput* out)
{
    gsf_off_t left = gsf_input_size(in);
    while (left > 0) {
        const size_t chunk = size_t(std::min<gsf_off_t>(left, 65536));
        const guint8* data = gsf_input_read(in, chunk, nullptr);
        if (!data || !gsf_output_write(out, chunk, data))
            return false;
        left -= gsf_off_t(chunk);
    }
    return true;
}

bool copyClassId(GsfInput* in, GsfOutput* out)
{
    guint8 id[16];
    return !gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(in), id) ||
           gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(out), id);
}

bool copyStorage(GsfInfile* in, GsfOutfile* out, int depth, int& entries)
{
    const int count = gsf_infile_num_children(in);
    if (count < 0 || depth > MaxDepth)
        return false;
    std::set<std::string> names;
    for (int i = 0; i < count; ++i) {
        const char* name = gsf_infile_name_by_index(in, i);
        if (!name || !*name || !names.insert(name).second || ++entries > MaxEntries)
            return false;
        Ref<GsfInput> child(gsf_infile_child_by_index(in, i));
        if (!child.p)
            return false;
        const bool storage = isStorage(child.p);
        Ref<GsfOutput> target(gsf_outfile_new_child(out, name, storage));
        if (!target.p)
            return false;
        if (GDateTime* time = gsf_input_get_modtime(child.p))
            gsf_output_set_modtime(target.p, time);
        const bool copied = storage ? copyClassId(child.p, target.p) &&
                                          copyStorage(GSF_INFILE(child.p), GSF_OUTFILE(target.p),
                                                      depth + 1, entries)
                                    : copyStream(child.p, target.p);
        if (!gsf_output_close(target.p) || !copied)
            return false;
    }
    return true;
}

bool sameStream(GsfInput* a, GsfInput* b)
{
    gsf_off_t left = gsf_input_size(a);
    if (left != gsf_input_size(b))
        return false;
    while (left > 0) {
        const size_t chunk = size_t(std::min<gsf_off_t>(left, 65536));
        const guint8* x = gsf_input_read(a, chunk, nullptr);
        if (!x)
            return false;
        std::string copy(reinterpret_cast<const char*>(x), chunk); // a's buffer may be reused
        const guint8* y = gsf_input_read(b, chunk, nullptr);
        if (!y || std::memcmp(copy.data(), y, chunk) != 0)
            return false;
        left -= gsf_off_t(chunk);
    }
    return true;
}

bool sameClassId(GsfInput* a, GsfInput* b)
{
    guint8 x[16] = {}, y[16] = {};
    const bool hasX = gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(a), x);
    const bool hasY = gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(b), y);
    return hasX == hasY && std::memcmp(x, y, 16) == 0;
}

bool sameStorage(GsfInfile* a, GsfInfile* b)
{
    const int count = gsf_infile_num_children(a);
    if (count != gsf_infile_num_children(b) || !sameClassId(GSF_INPUT(a), GSF_INPUT(b)))
        return false;
    for (int i = 0; i < count; ++i) {
        const char* name = gsf_infile_name_by_index(a, i);
        Ref<GsfInput> x(gsf_infile_child_by_index(a, i));
        Ref<GsfInput> y(name ? gsf_infile_child_by_name(b, name) : nullptr);
        if (!x.p || !y.p || isStorage(x.p) != isStorage(y.p))
            return false;
        const bool same =
            isStorage(x.p) ? sameStorage(GSF_INFILE(x.p), GSF_INFILE(y.p)) : sameStream(x.p, y.p);
        if (!same)
            return false;
    }
    return true;
}

GsfInfile* openStorage(const char* path, Ref<GsfInput>& input)
{
    input.p = gsf_input_stdio_new(path, nullptr);
    return input.p ? gsf_infile_msole_new(input.p, nullptr) : nullptr;
}

// The block sizes of the source, from its header: 512 or 4096, and 64.
void blockSizes(const char* path, guint& big, guint& small)
{
    unsigned char header[0x22] = {};
    big = 512;
    small = 64;
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && read(fd, header, sizeof header) == ssize_t(sizeof header)) {
        big = header[0x1E] == 12 ? 4096 : 512;
        small = 1u << (header[0x20] ? header[0x20] : 6);
    }
    if (fd >= 0)
        close(fd);
}

// Written in place rather than through libgsf's own temporary file, which
// a killed helper would leave behind; the caller removes the target when the
// copy fails. Never an existing file, never through a link.
GsfOutput* openTarget(const char* target)
{
    const int fd = open(target, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    FILE* file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        if (fd >= 0)
            close(fd);
        return nullptr;
    }
    GsfOutput* out = gsf_output_stdio_new_FILE(target, file, FALSE);
    if (!out)
        std::fclose(file);
    return out;
}

} // namespace

Result copy(const char* source, const char* target)
{
    gsf_init();
    g_log_set_default_handler(onLog, nullptr);
    g_complained = false;

    Ref<GsfInput> sourceInput(nullptr);
    Ref<GsfInfile> in(openStorage(source, sourceInput));
    if (!in.p || g_complained)
        return CannotOpenSource;
    guint big = 512, small = 64;
    blockSizes(source, big, small);
    Ref<GsfOutput> sink(openTarget(target));
    if (!sink.p)
        return CannotCreateTarget;
    Ref<GsfOutfile> out(gsf_outfile_msole_new_full(sink.p, big, small));
    int entries = 0;
    bool ok = out.p && copyClassId(GSF_INPUT(in.p), GSF_OUTPUT(out.p)) &&
              copyStorage(in.p, out.p, 0, entries);
    // Closing the compound file closes the file under it too.
    ok = (out.p ? gsf_output_close(GSF_OUTPUT(out.p)) : gsf_output_close(sink.p)) && ok;
    if (!ok || g_complained)
        return Failed;

    Ref<GsfInput> againInput(nullptr);
    Ref<GsfInfile> again(openStorage(target, againInput));
    return again.p && !g_complained && sameStorage(in.p, again.p) ? Copied : Failed;
}

} // namespace StorageCopy
