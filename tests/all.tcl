# all.tcl - runs every command test file with the extension of the given build folder.
package require tcltest 2
namespace import ::tcltest::*
set build [file normalize [lindex $argv 0]]
load [file join $build libqev.so] Qev
set ::qevbuild $build
# ui.test needs wish and an X server: it has a test of its own.
configure -testdir [file dirname [file normalize [info script]]] -singleproc 1 -notfile ui.test
runAllTests
