# How every Windows program of ours is linked (client, server, tool, tests, benchmarks).
# 32-bit programs are large-address-aware: on 64-bit Windows they get 4 GiB of address
# space instead of 2 GiB, room a page of a million results needs beside the answer it came
# in. 64-bit programs get high-entropy ASLR. Both are relocatable and use no-execute data.
# Recent GNU ld and MSVC default to most of this; saying it keeps older linkers in line.
if(NOT WIN32)
    return()
endif()
if(MSVC)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        add_link_options(/LARGEADDRESSAWARE)
    else()
        add_link_options(/HIGHENTROPYVA)
    endif()
    add_link_options(/DYNAMICBASE /NXCOMPAT)
else()
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        add_link_options(-Wl,--large-address-aware)
    else()
        add_link_options(-Wl,--high-entropy-va)
    endif()
    add_link_options(-Wl,--dynamicbase -Wl,--nxcompat)
endif()
