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
target_include_directories(kinolux_options INTERFACE ${PROJECT_SOURCE_DIR})
