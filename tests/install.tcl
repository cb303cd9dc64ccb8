# install.tcl - the installed tree and the Debian package work on their own: the build
# is installed with DESTDIR into temporary folders (under /usr and under another
# prefix) and packaged with cpack; the build folder's data is moved out of reach while
# the installed qev, the Tcl package in a fresh tclsh, wmk under the X server of
# DISPLAY, the manual pages, the desktop entry and the shell completion are tried; the
# package is unpacked with dpkg-deb and run where it lies. Nothing is installed into
# the machine's own folders; HOME and XDG_DATA_HOME point into the temporary folder.
# Usage: tclsh install.tcl BUILD-FOLDER
# Covered: cmake --install, cpack -G DEB, bin/qev, bin/wmk, the Tcl package, dist/
set build [file normalize [lindex $argv 0]]
set argv {}
package require tcltest 2
namespace import ::tcltest::*

set source [file dirname [file dirname [file normalize [info script]]]]
set tmp [file join [expr {[info exists env(TMPDIR)] ? $env(TMPDIR) : "/tmp"}] qevinstall-[pid]]
file delete -force $tmp
file mkdir $tmp/home $tmp/cwd
set env(HOME) $tmp/home
set env(XDG_DATA_HOME) $tmp/data
set env(LC_ALL) C.UTF-8
unset -nocomplain env(TCLLIBPATH) env(DESTDIR)
set version [exec $build/qev --version]
set version [lindex $version end]

# A run that was stopped while the build's data was away leaves it there: back first.
set data [file join $build data]
if {![file exists $data] && [file exists $data.away]} { file rename $data.away $data }

# Runs a command; {status output} with standard error after standard output.
proc run {args} {
    set status 0
    if {[catch {exec {*}$args 2>@1} out opts]} {
        set code [dict get $opts -errorcode]
        set status [expr {[lindex $code 0] eq "CHILDSTATUS" ? [lindex $code 2] : $code}]
    }
    return [list $status $out]
}

# Installs the build with 'prefix' under the folder 'root'; the install's messages.
proc install {root prefix} {
    global build
    if {[file pathtype $root] ne "absolute"} { error "no DESTDIR: $root" }
    exec env DESTDIR=$root cmake --install $build --prefix $prefix
}

# A fresh tclsh with only 'tcldir' added to its package path evaluates 'script'.
proc tclrun {tcldir script} {
    global tmp
    set f [open $tmp/script.tcl w]
    puts $f $script
    close $f
    run env TCLLIBPATH=[list $tcldir] tclsh $tmp/script.tcl
}

# The script of tclrun that loads the package and evaluates a formula with its
# shipped unit system: version, the file loaded, the library folder and the answer.
set tclcheck {
    set v [package require qev]
    foreach l [info loaded] { if {[lindex $l 1] eq "Qev"} { set file [lindex $l 0] } }
    puts [list $v $file $::qev::library \
        [mc66 -u [file join $::qev::library SI.usys] -S1 -q {5 ft + 3 m}]]
}

# The Tcl package folder in an installed tree under 'root'.
proc tcldir {root} {
    lindex [glob -nocomplain -directory $root -type d lib/tcltk/*/qev* lib/tcltk/qev*] 0
}

set usr $tmp/root/usr
set multiarch [lindex [run dpkg-architecture -qDEB_HOST_MULTIARCH] 1]
install $tmp/root /usr
install $tmp/opt /opt/qev
set opt $tmp/opt/opt/qev

# ---- Where things land

test install-tree.1 {the installed files under /usr, the Tcl package where Debian's tclsh looks} {
    lmap f [list bin/qev bin/wmk lib/tcltk/$multiarch/qev$version/libqev.so \
                lib/tcltk/$multiarch/qev$version/pkgIndex.tcl share/qev/zt.tcl share/qev/userlib.tcl \
                share/qev/data/SI.usys share/qev/data/qev.units share/man/man1/qev.1.gz \
                share/man/man1/wmk.1.gz share/applications/qev.desktop \
                share/icons/hicolor/scalable/apps/qev.svg share/bash-completion/completions/qev \
                share/doc/qev/copyright share/doc/qev/changelog.gz] {
        expr {[file isfile $usr/$f] ? "" : $f}
    }
} [lrepeat 15 {}]
test install-tree.2 {under another prefix the Tcl package goes where that tclsh looks} {
    list [file isfile $opt/lib/tcltk/qev$version/pkgIndex.tcl] [file isfile $opt/bin/qev]
} {1 1}
test install-tree.3 {no installed file names the build folder} {
    set hits {}
    foreach f [split [exec find $usr -type f] \n] {
        set in [open $f rb]
        if {[string first $build [read $in]] >= 0} { lappend hits $f }
        close $in
    }
    set hits
} {}
test install-tree.4 {the package index is one line that loads the library from its own folder} {
    set f [open [tcldir $usr]/pkgIndex.tcl]
    set text [string trim [read $f]]
    close $f
    list [llength [split $text \n]] $text
} [list 1 "package ifneeded qev $version \[list load \[file join \$dir libqev.so\] Qev\]"]

# ---- The package, packed and unpacked (before the build's data goes away: cpack
# builds and installs the project again)

set pkgdir $tmp/pkg
lassign [run cpack -G DEB -B $pkgdir --config [file join $build CPackConfig.cmake]] cpackstatus cpackout
set deb [lindex [glob -nocomplain -directory $pkgdir *.deb] 0]
set unpacked $tmp/unpacked

test install-deb.1 {cpack makes a Debian package that declares its libraries} {
    set info [lindex [run dpkg-deb --info $deb] 1]
    regexp -line {^ Depends: (.*)$} $info -> depends
    list $cpackstatus [file tail $deb] \
        [lmap lib {libtcl8.6 libtk8.6 libreadline8 libc6} {regexp "(^|, )${lib}( |,|\$)" $depends}]
} [list 0 qev_${version}_[exec dpkg --print-architecture].deb {1 1 1 1}]
test install-deb.2 {the package holds the tree of cmake --install, stripped} {
    run dpkg-deb -x $deb $unpacked
    set listed [lsort [exec find $unpacked -type f -printf "%P\n"]]
    set installed [lsort [exec find $tmp/root -type f -printf "%P\n"]]
    list [expr {$listed eq $installed}] [regexp {not stripped} [exec file $unpacked/usr/bin/qev]]
} {1 0}
testConstraint lintian [expr {[auto_execok lintian] ne ""}]
test install-deb.3 {lintian finds no errors in the package} -constraints lintian -body {
    lassign [run lintian --tag-display-limit 0 $deb] status out
    set tags [lsearch -all -inline -regexp [split $out \n] {^[A-Z]: }]
    if {[llength $tags]} { puts "lintian:\n[join $tags \n]" }
    lsearch -all -inline -regexp $tags {^E: }
} -result {}

# ---- Running the installed trees without the build's data

file rename $data $data.away
try {

    test install-run.1 {the installed qev answers from the installed library, into a new user library} {
        set r [run $usr/bin/qev {5 ft + 3 m}]
        set f [open $tmp/data/qev/SI.usys]
        lappend r [string trim [read $f]]
        close $f
        set r
    } [list 0 "4.524 m" "SI m kg s K C mol $tmp/data/qev/qev.units"]
    test install-run.2 {without a user folder the installed, read-only library is read as it is} {
        cd $tmp/cwd
        run env -u XDG_DATA_HOME HOME=rel $usr/bin/qev -u long {5 ft + 3 m}
    } [list 0 "qev: cannot set up the user library: neither XDG_DATA_HOME nor HOME is an absolute path; using the shipped library, read-only\n4.524 Meter"]
    test install-run.3 {the subcommands of the installed qev} {
        list [run $usr/bin/qev unitof {3 N * 2 m}] [run $usr/bin/qev units degC]
    } {{0 J} {0 {degC  274.15 {K^(1)}}}}
    test install-run.4 {a fresh tclsh loads the installed package and uses its shipped unit system} {
        tclrun [file dirname [tcldir $usr]] $tclcheck
    } [list 0 [list $version [tcldir $usr]/libqev.so $usr/share/qev/data "(4.524)   {m^(1)} "]]
    test install-run.5 {the unpacked package runs where it lies: qev and the Tcl package} {
        set u $unpacked/usr
        list [run $u/bin/qev {(5 err 0.1) ft + 3 m}] [tclrun [file dirname [tcldir $u]] $tclcheck]
    } [list {0 {4.524 ± 0.030 m}} \
           [list 0 [list $version $unpacked/usr/lib/tcltk/$multiarch/qev$version/libqev.so \
                        $unpacked/usr/share/qev/data "(4.524)   {m^(1)} "]]]
    test install-run.6 {a tree under another prefix still works when the whole prefix is moved} {
        file rename $tmp/opt $tmp/moved
        set m $tmp/moved/opt/qev
        list [run $m/bin/qev {5 ft + 3 m}] [lindex [tclrun [file dirname [tcldir $m]] $tclcheck] 1 2]
    } [list {0 {4.524 m}} $tmp/moved/opt/qev/share/qev/data]
    test install-run.7 {wmk starts from the installed tree with its own script and makes the user library} {
        run tclsh [file join $source tests wmk.tcl] $usr/bin
    } {0 {wmk: ok}}

} finally {
    file rename $data.away $data
}

# ---- Manual pages, desktop entry, completion

# The text of a manual page as man shows it, with its warnings.
proc manpage {page} {
    run env MANWIDTH=80 man --warnings -E UTF-8 -l $page
}
foreach {n page} {1 qev 2 wmk} {
    test install-man.$n "man renders $page.1 without warnings, with every section" {
        lassign [manpage $usr/share/man/man1/$page.1.gz] status text
        list $status [regexp -all -line {^(NAME|SYNOPSIS|DESCRIPTION|EXIT STATUS|ENVIRONMENT|FILES|SEE ALSO)$} $text] \
            [regexp {warning:} $text]
    } {0 7 0}
}
test install-man.3 {the page of qev follows its help: every option and subcommand} {
    set text [lindex [manpage $usr/share/man/man1/qev.1.gz] 1]
    set help [exec $usr/bin/qev --help]
    set words [regexp -all -inline -line {^  (-[-\w]+|[a-z]+ )} $help]
    set missing {}
    foreach {- w} $words {
        if {[string first [string trim $w] $text] < 0} { lappend missing $w }
    }
    list [expr {[llength $words] / 2 >= 10}] $missing [regexp {EXAMPLES} $text]
} {1 {} 1}
# The examples of a manual page's source: {command output} with the roff escapes of
# the page undone; a command is a line that begins with "$ ", its output the lines after
# it, up to the next command or the end of the example block.
proc examples {h2m} {
    set f [open $h2m]
    set text [read $f]
    close $f
    set text [string map [list {\-} - {\(+-} \u00b1 {\e} \\] $text]
    set r {}
    set block 0
    foreach line [split $text \n] {
        switch -glob -- $line {
            .nf { set block 1 }
            .fi { set block 0 }
            .* {}
            {$ *} { if {$block} { lappend r [string range $line 2 end] {} } }
            default { if {$block && [llength $r]} { lset r end [lindex $r end]$line\n } }
        }
    }
    return $r
}
test install-man.4 {every example of qev(1) gives the answer shown, in a new user library} {
    set home $tmp/examples
    set wrong {}
    set r [examples [file join $source dist qev.h2m]]
    foreach {cmd shown} $r {
        lassign [run env XDG_DATA_HOME=$home PATH=$usr/bin:$::env(PATH) bash -c $cmd] status out
        if {$out ne [string trimright $shown \n]} { lappend wrong "$cmd: $out" }
    }
    list [expr {[llength $r] / 2 >= 10}] $wrong
} {1 {}}
test install-desktop.1 {the desktop entry validates and starts the installed window with its icon} {
    set entry $usr/share/applications/qev.desktop
    set f [open $entry]
    set text [read $f]
    close $f
    regexp -line {^Exec=(\S+)} $text -> exec
    regexp -line {^Icon=(\S+)} $text -> icon
    list [run desktop-file-validate $entry] [file executable $usr/bin/$exec] \
        [file isfile $usr/share/icons/hicolor/scalable/apps/$icon.svg]
} {{0 {}} 1 1}

# The completions of bash for the words of a command line, the last one being
# completed, with the installed script and the installed qev on PATH.
proc complete {args} {
    global usr
    set words [lmap w $args {format %s '$w'}]
    exec env PATH=$usr/bin:$::env(PATH) bash -c "
        source $usr/share/bash-completion/completions/qev
        COMP_WORDS=([join $words]); COMP_CWORD=[expr {[llength $args] - 1}]
        _qev; printf '%s\\n' \"\${COMPREPLY\[@\]}\""
}
test install-completion.1 {bash completes subcommands, options, unit systems and unit names} {
    cd $tmp/cwd
    list [complete qev un] [lsort [complete qev units -]] [complete qev -u ""] \
        [expr {"ft" in [complete qev 5 f]}] [expr {"3*km" in [complete qev 3*k]}] \
        [complete qev -u long 5 Mete] [complete qev fit ""]
} [list "units\nunitof" [lsort {-n -u -S1 -S2 -S3 -p -cr --help}] "SI\nlong" 1 1 Meter {}]
test install-completion.2 {the completion follows the help: every subcommand, with its options; functions by name} {
    set subs {}
    foreach line [split [exec $usr/bin/qev --help] \n] {
        if {[regexp {^  [a-z]} $line]} {
            foreach {- name} [regexp -all -inline {(?:^  |, )([a-z]+) } $line] { lappend subs $name }
        }
    }
    list [expr {[llength $subs] >= 6}] [expr {[complete qev ""] eq [join $subs \n]}] \
        [expr {[complete qev delfunc ""] eq [exec $usr/bin/qev functions]}] [lsort [complete qev delunit -]]
} [list 1 1 1 [lsort {-u --force --help}]]

cd $build
file delete -force $tmp
cleanupTests
