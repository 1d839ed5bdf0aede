# Native Linux build of the portable code: every test binary carries ASan and UBSan,
# and with clang a libFuzzer target is built beside the unit tests.
set(FTPLINK_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra ${FTPLINK_SANITIZE})
add_link_options(${FTPLINK_SANITIZE})
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(FTPLINK_FUZZ ON)
endif()
