# Precompiled headers, set once every target is defined. Only zn_core has them: its files spend most of their
# compile time in the standard headers below, which precompile to a small file. The Qt and GoogleTest
# headers precompile to files of 120 to 260 MB that every file then maps, and on an 8-core machine busy with
# other builds that mapping cost more time than the parsing it saved, so those targets parse as before.
# Only outside headers are listed: editing a header of ours rebuilds just the files that include it.
# Every file still includes what it uses; configure with -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON to check.
target_precompile_headers(zn_core PRIVATE
    <algorithm> <array> <chrono> <cstddef> <cstdint> <functional> <map> <memory> <mutex> <optional> <set>
    <string> <string_view> <utility> <vector> <sys/stat.h> <unistd.h>)
