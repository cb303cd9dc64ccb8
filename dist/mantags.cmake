# mantags.cmake - in a manual page made by help2man, turns each pair of indented
# paragraphs "usage line, then what it does" (a subcommand) into one tagged paragraph,
# as options are shown. Usage: cmake -DPAGE=file.1 -P mantags.cmake
file(READ ${PAGE} text)
string(REGEX REPLACE "\n\\.IP\n([^\n]+)\n\\.IP\n" "\n.TP\n\\1\n" text "${text}")
file(WRITE ${PAGE} "${text}")
