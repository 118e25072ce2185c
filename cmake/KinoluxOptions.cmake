# Compiler settings shared by every target of the project: link kinolux_options.
add_library(kinolux_options INTERFACE)
target_compile_features(kinolux_options INTERFACE cxx_std_20)
target_compile_options(kinolux_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wnull-dereference -Wformat=2 -Wimplicit-fallthrough
    $<$<BOOL:${KINOLUX_WERROR}>:-Werror>)
target_compile_definitions(kinolux_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_DISABLE_DEPRECATED_UP_TO=0x060000
    KINOLUX_VERSION="${PROJECT_VERSION}")

# kinolux_entetes(TARGET FOLDER): the library's headers, included as "FOLDER/Name.h", and only
# those: each library's include directory holds a link to its own folder alone, so a header of a
# library it does not link (one above it) cannot be found.
function(kinolux_entetes cible dossier)
    set(racine ${CMAKE_BINARY_DIR}/entetes/${dossier})
    file(MAKE_DIRECTORY ${racine})
    if(NOT EXISTS ${racine}/${dossier})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${dossier} ${racine}/${dossier} SYMBOLIC)
    endif()
    target_include_directories(${cible} PUBLIC ${racine})
endfunction()

# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer on every target (build-asan):
# the first report ends the program with a failure.
option(KINOLUX_SANITIZE "Build with ASan and UBSan" OFF)
# libFuzzer targets in fuzz/ (clang only, build-fuzz): the libraries carry the fuzzer's coverage
# hooks and the same sanitizers.
option(KINOLUX_FUZZ "Build the libFuzzer targets of fuzz/ (clang)" OFF)
if(KINOLUX_SANITIZE OR KINOLUX_FUZZ)
    set(kinolux_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined)
    if(KINOLUX_FUZZ)
        if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
            message(FATAL_ERROR "KINOLUX_FUZZ needs clang (CC=clang CXX=clang++)")
        endif()
        target_compile_options(kinolux_options INTERFACE -fsanitize=fuzzer-no-link)
    endif()
    target_compile_options(kinolux_options INTERFACE ${kinolux_sanitizers}
        -fno-omit-frame-pointer)
    target_link_options(kinolux_options INTERFACE ${kinolux_sanitizers})
endif()
