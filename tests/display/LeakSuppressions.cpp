// Under AddressSanitizer: the desktop libraries under GTK keep caches and
// connections for the life of the process (fontconfig's font sets, the
// accessibility bus) and never free them; those are not leaks of ours.
// Full malloc stacks are needed to tell them apart, as these libraries are
// built without frame pointers. Without a sanitizer these are never called.

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libatspi.so\n"
           "leak:libatk-bridge-2.0.so\n";
}

extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}
