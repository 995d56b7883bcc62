<%@ Control Language="VB" AutoEventWireup="false" CodeFile="qmenu_sm.ascx.vb" Inherits="qmenu_sm" %>
<table border='0' cellspacing='0' cellpadding='0'>
  <tr>
    <td class='MenuTreeBox' valign='top'>
<p class='MainFolderBox'><span class='MainFolderLine'>Products</span></p>
<p class='LinkBox'>&nbsp;&nbsp;&nbsp;<a href="/hi.html"><span class='LinkLine'>Tom's page</span></a></p>
<p class='LinkBox'><a href="/index.html"><span class='LinkLine'>Home</span></a></p>
<p class='LinkBox'><a href="/contact.html"><span class='LinkLine'>Contact</span></a></p>
    </TD>
  </TR>
</TABLE>
