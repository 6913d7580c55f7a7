# Sourced by the build scripts: compile through ccache when it is installed,
# so a second build of the same sources (a clean clone, the sanitizer and
# fuzzing builds of an unchanged file) takes the objects it made before.
# Paths are hashed relative to the tree, so clones in other folders share
# the cache. DORVEL_NO_CCACHE=1 builds without it.
if [ -z "${DORVEL_NO_CCACHE:-}" ] && command -v ccache >/dev/null 2>&1; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR=1
fi
