# AddressSanitizer and UndefinedBehaviorSanitizer for the whole test build. float-cast-overflow
# is added on purpose: no conversion from a floating-point value to an integer may overflow.
if(SONVEX_SANITIZE AND NOT MSVC)
    set(SONVEX_SANITIZER_FLAGS
        -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${SONVEX_SANITIZER_FLAGS})
    add_link_options(-fsanitize=address,undefined,float-cast-overflow)
endif()
