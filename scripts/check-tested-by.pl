#!/usr/bin/perl
# Every source file names the test that tests it ("Tested by foo_test.cc."); this checks
# that each test file so named exists in the tree, so the line cannot go stale.
use strict;
use warnings;
use File::Find;

my $root = shift // '.';
my (%exists, @sources);
find(sub {
  return if $File::Find::dir =~ m{/(\.git|build[^/]*|\.library)(/|$)};
  return unless -f $_;
  (my $rel = $File::Find::name) =~ s{^\Q$root\E/?}{};
  $exists{$_} = 1;
  $exists{$rel} = 1;
  push @sources, $rel if $rel =~ m{^(core|cli|train|ui|regex|subst|fuzz|bench|tests)/.*\.(cc|h)$};
}, $root);

my $bad = 0;
for my $file (sort @sources) {
  open(my $in, '<', "$root/$file") or die "$file: $!";
  my $head = '';
  while (my $line = <$in>) {
    last unless $line =~ m{^\s*//};
    $line =~ s{^\s*//\s?}{};
    $head .= $line;
  }
  close $in;
  $head =~ s/\s+/ /g;
  while ($head =~ /Tested (?:by|through) (.*?)(?:\.\s|\.$)/g) {
    for my $name ($1 =~ m{([\w./-]+?\.(?:cc|h))\b}g) {
      next if $exists{$name};
      print "$file: names $name, which does not exist\n";
      $bad = 1;
    }
  }
}
exit $bad;
