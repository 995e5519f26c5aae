# ZESTBOX_SANITIZE=address builds with AddressSanitizer and UBSan, =thread with
# ThreadSanitizer, =leak with LeakSanitizer alone (the soak: no quarantine, so
# resident memory means what it says). The address and thread builds are
# compiled with -O1 and line tables only: reports keep their file:line stacks,
# and the builds take little more than half the time.
if(ZESTBOX_SANITIZE STREQUAL "address")
  add_compile_options(-O1 -g1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(ZESTBOX_SANITIZE STREQUAL "thread")
  add_compile_options(-O1 -g1 -fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(ZESTBOX_SANITIZE STREQUAL "leak")
  add_compile_options(-fsanitize=leak -fno-omit-frame-pointer)
  add_link_options(-fsanitize=leak)
elseif(NOT ZESTBOX_SANITIZE STREQUAL "")
  message(FATAL_ERROR "ZESTBOX_SANITIZE must be empty, 'address', 'thread' or 'leak'")
endif()
