# Shell helpers the tools share. Source this file.

# The Windows path of a Linux file under Wine: drive Z: is the Linux root.
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }

# The release zip's file name without .zip, as CPack names it for the build tree $1.
release_zip_name() {
    sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$1/CPackConfig.cmake"
}
