<%@ Control Language="VB" AutoEventWireup="false" CodeFile="qmenu_sm.ascx.vb" Inherits="qmenu_sm" %>
<table border='0' cellspacing='0' cellpadding='0'>
  <tr>
    <td class='MenuTreeBox' valign='top'>
<p class='MainFolderBox'><img src=/img/folder.gif>&nbsp;<span class='MainFolderLine'>Products</span></p>
<p class='LinkBox'>&nbsp;&nbsp;&nbsp;<img src="/img/page &quot;1&quot;.gif">&nbsp;<a href="/hi.html"><span class='LinkLine'>Tom's page</span></a></p>
<p class='LinkBox'><img src="/img/page &quot;1&quot;.gif">&nbsp;<a href="/index.html"><span class='LinkLine'>Home</span></a></p>
<%response.write(harddiskDirectorySiteMap("/docs/","e||asp||str||sub||dash||",".htm||","","e1d2",0,"",""))%>
<p class='LinkBox'><img src="/img/page &quot;1&quot;.gif">&nbsp;<a href="/contact.html"><span class='LinkLine'>Contact</span></a></p>
    </TD>
  </TR>
</TABLE>
