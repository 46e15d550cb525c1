# Warnings are errors on both compilers.
add_compile_options(-Wall -Wextra -Werror)
if(VSM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(WIN32)
  # The product must run on machines without MinGW's runtime DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Windows XP is the oldest system the program runs on; newer functions are bound at run time.
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
endif()
